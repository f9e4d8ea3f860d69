#pragma once
// Shared fixtures of the player tests: an application that collects the errors event handlers
// pass on (as the program's default error report does), pictures made of known pixels, an event
// log that notes each event with its thread, and waiting while the event loop runs.

#include <QApplication>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "imaging/Picture.h"
#include "platform/raster/Bitmap32.h"
#include "player/TransitionPlayer.h"
#include "tests/support/QtTestSupport.h"

namespace corvane::test {

class TTestApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
    // The errors caught since the last call, oldest first.
    static std::vector<std::string> TakeErrors();
};

// A w x h bitmap whose pixel (x, y) is PatternPixel(x, y, seed).
Bitmap32 PatternBitmap(int32_t w, int32_t h, uint32_t seed);
constexpr Pixel PatternPixel(int32_t x, int32_t y, uint32_t seed) {
    return (uint32_t(x * 7 + y * 13) * 2654435761u + seed * 40503u) & 0x00FFFFFFu;
}
// A picture holding a plain bitmap graphic with these pixels.
TPicture PictureOf(const Bitmap32& pixels);
TPicture PatternPicture(int32_t w, int32_t h, uint32_t seed);

// Whether two bitmaps hold the same pixels (compared without the unused byte).
bool SamePixels(const Bitmap32& a, const Bitmap32& b);


struct TEventEntry {
    std::string Name;
    std::thread::id Thread;
    int Progress = 0;
};

class TEventLog {
public:
    // Connects every event of the player to the log.
    void Attach(TCustomTransitionPlayer& player);
    std::vector<TEventEntry> Entries() const;
    std::vector<std::string> Names() const;
    std::vector<int> ProgressValues() const;  // of the OnProgress events
    int Count(const std::string& name) const;
    void Add(const std::string& name, int progress);

private:
    mutable std::mutex FMutex;
    std::vector<TEventEntry> FEntries;
};

}  // namespace corvane::test
