#include "shell/SlideshowCycle.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "effects/EffectCatalog.h"
#include "effects/Random.h"
#include "player/CustomTransitionPlayer.h"
#include "settings/IniValue.h"
#include "settings/Ticks.h"
#include "shell/SlideshowLists.h"

namespace corvane {

int32_t PicDelay = 1000;
uint8_t AutoEffect = 1;
uint8_t AutoPic = 1;
int32_t EffIndex = 0;
int32_t PicIndex = 0;
bool FirstCall = true;
bool Closing = false;

void ResetSlideshowCycle() {
    PicDelay = 1000;
    AutoEffect = 1;
    AutoPic = 1;
    EffIndex = 0;
    PicIndex = 0;
    FirstCall = true;
    Closing = false;
}

namespace {

// Waits PicDelay milliseconds while the application handles its events, so that input, painting
// and the close request are served meanwhile. The thread sleeps in the event loop until an event
// or the deadline timer wakes it, rather than polling the clock.
void Pause() {
    StartTick();
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    for (;;) {
        const uint32_t elapsed = TicksElapsed();
        if (elapsed >= uint32_t(PicDelay) || Closing) return;
        if (!wake.isActive())
            wake.start(int(std::min<uint32_t>(uint32_t(PicDelay) - elapsed, 1u << 30)));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

// The next position in a playlist of `count` entries: random, or the one after `index`.
int32_t NextPosition(uint8_t automatic, int32_t index, size_t count) {
    if (automatic == 1) return Random(int32_t(count));
    return index + 1 < int32_t(count) ? index + 1 : 0;
}

// The entry's integer, or the fallback for text that is not an integer.
int32_t EntryValue(const std::string& entry, int32_t fallback) {
    return ParseIniInteger(entry).value_or(fallback);
}

// A random effect. While some catalogue entries have no routine yet, the draw is among the entries
// that have one; once all have, it is a random number from 1 to 171.
int32_t FallbackEffect() {
    static const std::vector<int32_t> available = [] {
        std::vector<int32_t> numbers;
        for (int32_t n = 1; n <= TEffectCatalog::Count; ++n)
            if (EffectAvailable(n)) numbers.push_back(n);
        return numbers;
    }();
    if (available.empty()) return 0;  // custom drawing needs no routine
    return available[size_t(Random(int32_t(available.size())))];
}

// The style the entry asks for; the fallback when the entry does not exist or names a catalogue
// entry without a routine. Values above 171 pass through (the player then keeps its style).
int32_t ChosenStyle(int32_t fallback) {
    if (EffIndex < 0 || size_t(EffIndex) >= EffsChecked.size()) return fallback;
    const int32_t style = EntryValue(EffsChecked[size_t(EffIndex)], fallback) & 0xFF;
    if (style >= 1 && style <= TEffectCatalog::Count && !EffectAvailable(style)) return fallback;
    return style;
}

void LoadPicture(TPicture& picture, int32_t fallback) {
    try {
        const int32_t position = EntryValue(PicsChecked.at(size_t(PicIndex)), fallback);
        picture.LoadFromFile(PicList.at(size_t(position)));
        if (picture.Width() <= 0 || picture.Height() <= 0)
            throw std::runtime_error("picture without pixels");
        return;
    } catch (const std::exception&) {
        // Replaced once by a random file of the folder, below.
    }
    if (PicList.empty()) throw ENoPictures(PicturesFolder());
    picture.LoadFromFile(PicList.at(size_t(fallback)));
}

}  // namespace

void PlayerComplete(TCustomTransitionPlayer& Sender) {
    if (FirstCall)
        FirstCall = false;
    else
        Pause();

    EffIndex = NextPosition(AutoEffect, EffIndex, EffsChecked.size());
    const int32_t fallbackEffect = FallbackEffect();
    Sender.SetStyle(ChosenStyle(fallbackEffect));

    PicIndex = NextPosition(AutoPic, PicIndex, PicsChecked.size());
    const int32_t fallbackPicture = Random(int32_t(PicList.size()));
    LoadPicture(Sender.Picture(), fallbackPicture);

    Sender.Execute();
}

}  // namespace corvane
