#pragma once
// Loads picture files away from the user-interface thread. A thread of the loader's own reads
// each file by its extension and decodes its pixels fully (the graphic then owns them, so that
// showing it only copies or shares them); the finished graphic, or the failure's message, is
// handed back on the thread that made the loader, through OnLoaded, raised from that thread's
// event loop (the worker wakes it through an event descriptor the loop watches).
//
// One request is served at a time. A new request replaces one that has not been handed back yet,
// whose result is then dropped. Destroying the loader drops what is pending and waits for a load
// in progress to end.

#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "imaging/Graphic.h"

class QSocketNotifier;

namespace corvane {

class TPictureLoader : public QObject {
public:
    struct TResult {
        std::string FileName;
        std::unique_ptr<TGraphic> Graphic;  // none when the load failed
        std::string Error;                  // the failure's message
    };

    explicit TPictureLoader(QObject* parent = nullptr);
    ~TPictureLoader() override;
    TPictureLoader(const TPictureLoader&) = delete;
    TPictureLoader& operator=(const TPictureLoader&) = delete;

    // Starts loading the file (the picture formats must be registered).
    void Load(const std::string& fileName);
    // Drops the request in progress: its result is never handed back.
    void Cancel();
    // A request has been made and its result not handed back yet.
    bool Pending() const { return FPending; }

    // Raised on the loader's own thread with each result that is not dropped.
    std::function<void(TResult& result)> OnLoaded;

private:
    std::mutex FMutex;
    std::condition_variable FWake;
    // Guarded by FMutex: the file waiting to be loaded, the number of the latest request, and
    // the finished result of that request.
    std::optional<std::string> FRequest;
    uint64_t FTicket = 0;
    std::optional<std::pair<uint64_t, TResult>> FDone;
    bool FQuit = false;
    // Touched on the loader's own thread only.
    bool FPending = false;
    // Written by the worker when a result is there; watched by the event loop.
    int FWakeFd = -1;
    QSocketNotifier* FNotifier = nullptr;
    std::thread FThread;

    void Run();
    void HandOver();
};

}  // namespace corvane
