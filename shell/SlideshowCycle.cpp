#include "shell/SlideshowCycle.h"

#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "effects/EffectCatalog.h"
#include "effects/Random.h"
#include "player/CustomTransitionPlayer.h"
#include "player/PictureLoader.h"
#include "settings/IniValue.h"
#include "settings/Ticks.h"
#include "shell/SlideshowLists.h"

namespace corvane {

int32_t PicDelay = 1000;
uint8_t AutoEffect = 1;
uint8_t AutoPic = 1;
TCyclePosition DesignPosition;
int32_t& EffIndex = DesignPosition.EffIndex;
int32_t& PicIndex = DesignPosition.PicIndex;
bool& FirstCall = DesignPosition.FirstCall;
bool Closing = false;

namespace {
// The files of PicList that failed to load in this run, by path; none is tried again.
std::set<std::string> FailedPictures;
}  // namespace

void ResetSlideshowCycle() {
    PicDelay = 1000;
    AutoEffect = 1;
    AutoPic = 1;
    DesignPosition = TCyclePosition();
    Closing = false;
    FailedPictures.clear();
}

namespace {

// The next position in a playlist of `count` entries: random, or the one after `index`.
int32_t NextPosition(uint8_t automatic, int32_t index, size_t count) {
    if (automatic == 1) return Random(int32_t(count));
    return index + 1 < int32_t(count) ? index + 1 : 0;
}

// The entry's integer, or the fallback for text that is not an integer.
int32_t EntryValue(const std::string& entry, int32_t fallback) {
    return ParseIniInteger(entry).value_or(fallback);
}

// A random effect of the whole catalogue.
int32_t FallbackEffect() { return Random(TEffectCatalog::Count) + 1; }

// The style the entry at `index` asks for; the fallback when the entry does not exist. Values
// above 171 pass through (the player then keeps its style).
int32_t ChosenStyle(int32_t index, int32_t fallback) {
    if (index < 0 || size_t(index) >= EffsChecked.size()) return fallback;
    return EntryValue(EffsChecked[size_t(index)], fallback) & 0xFF;
}

// The position in PicList the playlist entry at `index` names; none when the entry or the
// position does not exist.
std::optional<size_t> ChosenPicture(int32_t index, int32_t fallback) {
    if (index < 0 || size_t(index) >= PicsChecked.size()) return std::nullopt;
    const int32_t position = EntryValue(PicsChecked[size_t(index)], fallback);
    if (position < 0 || size_t(position) >= PicList.size()) return std::nullopt;
    return size_t(position);
}

bool KnownToFail(size_t position) {
    return FailedPictures.count(PicList[position]) != 0;
}

// One picture change: the chosen file loads in the background while the pause runs; a file that
// fails is replaced by the change's fallback, then by random files not known to fail; the
// transition starts once the pause is over and a picture is ready. Lives as a child of the player,
// so that it and its loading thread go with it.
class TPictureChange : public QObject {
  public:
    explicit TPictureChange(TCustomTransitionPlayer& player) : QObject(&player), FPlayer(player) {
        FLoader = new TPictureLoader(this);
        FLoader->OnLoaded = [this](TPictureLoader::TResult& result) { Loaded(result); };
        FPause = new QTimer(this);
        FPause->setSingleShot(true);
        FPause->setTimerType(Qt::PreciseTimer);
        connect(FPause, &QTimer::timeout, this, [this] { PauseTick(); });
    }

    static TPictureChange* Find(TCustomTransitionPlayer& player) {
        return player.findChild<TPictureChange*>(QString(), Qt::FindDirectChildrenOnly);
    }
    static TPictureChange& Of(TCustomTransitionPlayer& player) {
        TPictureChange* change = Find(player);
        return change ? *change : *new TPictureChange(player);
    }

    bool Pending() const { return FActive; }

    void Begin(std::optional<size_t> chosen, size_t fallback, bool pause, bool reportsErrors) {
        FLoader->Cancel();
        FReportsErrors = reportsErrors;
        FReady.reset();
        FActive = true;
        FChosen = chosen;
        FFallback = fallback;
        FStage = 0;
        FPauseOver = !pause;
        if (pause) {
            StartTick();
            PauseTick();
        }
        TryNext();
    }

  private:
    TCustomTransitionPlayer& FPlayer;
    TPictureLoader* FLoader = nullptr;
    QTimer* FPause = nullptr;
    bool FActive = false;
    bool FPauseOver = true;
    bool FReportsErrors = true;
    std::optional<size_t> FChosen;
    size_t FFallback = 0;
    int FStage = 0;  // 0: the chosen file next, 1: the fallback, 2: random files
    std::unique_ptr<TGraphic> FReady;

    // Ends the pause once PicDelay has passed (compared as unsigned 32-bit values), else waits
    // for the rest of it.
    void PauseTick() {
        const uint32_t elapsed = TicksElapsed();
        if (elapsed >= uint32_t(PicDelay)) {
            FPauseOver = true;
            Finish();
            return;
        }
        FPause->start(int(std::min<uint32_t>(uint32_t(PicDelay) - elapsed, 1u << 30)));
    }

    std::optional<size_t> NextCandidate() {
        if (FStage == 0) {
            FStage = 1;
            if (FChosen && !KnownToFail(*FChosen)) return FChosen;
        }
        if (FStage == 1) {
            FStage = 2;
            if (!KnownToFail(FFallback)) return FFallback;
        }
        std::vector<size_t> left;
        for (size_t i = 0; i < PicList.size(); ++i)
            if (!KnownToFail(i)) left.push_back(i);
        if (left.empty()) return std::nullopt;
        RandomTurn turn;
        return left[size_t(Random(int32_t(left.size())))];
    }

    void TryNext() {
        const std::optional<size_t> next = NextCandidate();
        if (!next) {
            FActive = false;
            FPause->stop();
            // Reported once, by the design's slideshow; the further screens' just stop.
            if (FReportsErrors) throw ENoLoadablePictures(PicturesFolder());
            return;
        }
        FLoader->Load(PicList[*next]);
    }

    void Loaded(TPictureLoader::TResult& result) {
        if (result.Graphic && result.Graphic->Empty()) {
            result.Graphic.reset();
            result.Error = "The picture has no pixels";
        }
        if (!result.Graphic) {
            if (FailedPictures.insert(result.FileName).second) {
                std::fprintf(stderr, "Skipped %s: %s\n", result.FileName.c_str(),
                             result.Error.c_str());
                std::fflush(stderr);
            }
            TryNext();
            return;
        }
        FReady = std::move(result.Graphic);
        Finish();
    }

    void Finish() {
        if (!FActive || !FPauseOver || !FReady) return;
        FActive = false;
        if (Closing) {
            FReady.reset();
            return;
        }
        FPlayer.Picture().SetGraphic(std::move(FReady));
        FPlayer.Execute();
    }
};

}  // namespace

void PlayerComplete(TCustomTransitionPlayer& Sender) { PlayerComplete(Sender, DesignPosition); }

void PlayerComplete(TCustomTransitionPlayer& Sender, TCyclePosition& position) {
    const bool pause = !position.FirstCall;
    position.FirstCall = false;

    // The draws in their order, each pair in a turn of its own; the style is set between them,
    // outside a turn, since setting it takes the player's frame lock, which a composing worker
    // holds while it waits for its turn.
    int32_t fallbackEffect = 0, fallbackPicture = 0;
    {
        RandomTurn turn;
        position.EffIndex = NextPosition(AutoEffect, position.EffIndex, EffsChecked.size());
        fallbackEffect = FallbackEffect();
    }
    Sender.SetStyle(ChosenStyle(position.EffIndex, fallbackEffect));
    {
        RandomTurn turn;
        position.PicIndex = NextPosition(AutoPic, position.PicIndex, PicsChecked.size());
        fallbackPicture = Random(int32_t(PicList.size()));
    }
    if (PicList.empty()) throw ENoPictures(PicturesFolder());
    TPictureChange::Of(Sender).Begin(ChosenPicture(position.PicIndex, fallbackPicture),
                                     size_t(fallbackPicture), pause, &position == &DesignPosition);
}

bool PictureChangePending(TCustomTransitionPlayer& Sender) {
    const TPictureChange* change = TPictureChange::Find(Sender);
    return change && change->Pending();
}

}  // namespace corvane
