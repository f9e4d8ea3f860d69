#include "player/PlayerFixtures.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>

#include <chrono>
#include <exception>

#include "imaging/Bitmap.h"

namespace corvane::test {

namespace {
std::mutex ErrorsMutex;
std::vector<std::string> Errors;
}  // namespace

bool TTestApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        std::lock_guard lock(ErrorsMutex);
        Errors.push_back(error.what());
        return false;
    }
}

std::vector<std::string> TTestApplication::TakeErrors() {
    std::lock_guard lock(ErrorsMutex);
    return std::exchange(Errors, {});
}

Bitmap32 PatternBitmap(int32_t w, int32_t h, uint32_t seed) {
    Bitmap32 b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) b.SetPixel(x, y, PatternPixel(x, y, seed));
    return b;
}

TPicture PictureOf(const Bitmap32& pixels) {
    auto graphic = std::make_unique<TBitmap>();
    graphic->SetImage(pixels);
    TPicture picture;
    picture.SetGraphic(std::move(graphic));
    return picture;
}

TPicture PatternPicture(int32_t w, int32_t h, uint32_t seed) {
    return PictureOf(PatternBitmap(w, h, seed));
}

bool SamePixels(const Bitmap32& a, const Bitmap32& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int32_t y = 0; y < a.Height(); ++y)
        for (int32_t x = 0; x < a.Width(); ++x)
            if (((a.GetPixel(x, y) ^ b.GetPixel(x, y)) & 0x00FFFFFFu) != 0) return false;
    return true;
}

void TEventLog::Attach(TCustomTransitionPlayer& player) {
    auto note = [this](const char* name) {
        return [this, name](TCustomTransitionPlayer& sender) { Add(name, sender.Progress()); };
    };
    auto noteDraw = [this](const char* name) {
        return [this, name](TCustomTransitionPlayer& sender, Bitmap32&, Bitmap32&) {
            Add(name, sender.Progress());
        };
    };
    player.OnStart = noteDraw("Start");
    player.OnBeforeNewFrame = noteDraw("Before");
    player.OnCustomDraw = noteDraw("Custom");
    player.OnAfterNewFrame = noteDraw("After");
    player.OnProgress = note("Progress");
    player.OnComplete = note("Complete");
    player.OnStop = note("Stop");
    player.OnChange = note("Change");
}

void TEventLog::Add(const std::string& name, int progress) {
    std::lock_guard lock(FMutex);
    FEntries.push_back(TEventEntry{name, std::this_thread::get_id(), progress});
}

std::vector<TEventEntry> TEventLog::Entries() const {
    std::lock_guard lock(FMutex);
    return FEntries;
}

std::vector<std::string> TEventLog::Names() const {
    std::vector<std::string> names;
    for (const TEventEntry& e : Entries()) names.push_back(e.Name);
    return names;
}

std::vector<int> TEventLog::ProgressValues() const {
    std::vector<int> values;
    for (const TEventEntry& e : Entries())
        if (e.Name == "Progress") values.push_back(e.Progress);
    return values;
}

int TEventLog::Count(const std::string& name) const {
    int n = 0;
    for (const TEventEntry& e : Entries()) n += e.Name == name;
    return n;
}

}  // namespace corvane::test
