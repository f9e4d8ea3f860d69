#pragma once
// Reads and decodes picture files on a background thread, so that a large picture never holds up
// the user interface, and hands each finished picture back on the loader's own thread.
//
// One file is read at a time. A newer Load supersedes every older one: a request not yet begun is
// dropped, and the result of one in progress is never delivered. The destructor drops what waits
// and waits for the file in hand.

#include <QObject>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "imaging/Picture.h"

namespace corvane {

// The outcome of one load: the picture, fully decoded, or the loader's error message.
struct TLoadedPicture {
    std::string FileName;
    std::unique_ptr<TPicture> Picture;  // holds the graphic on success
    std::string Error;                  // the message on failure

    bool Failed() const { return !Picture; }
};

// Loads the file by its extension, as TPicture does, and decodes all of its pixels. Never throws:
// a failure is the result's Error.
TLoadedPicture LoadPictureNow(const std::string& fileName);

class TPictureLoader : public QObject {
    Q_OBJECT

  public:
    using TDone = std::function<void(TLoadedPicture result)>;

    explicit TPictureLoader(QObject* parent = nullptr);
    ~TPictureLoader() override;

    // Starts loading the file; done runs on this object's thread with the result, unless a newer
    // Load comes first.
    void Load(const std::string& fileName, TDone done);
    // A load has been asked for whose result has not been delivered yet.
    bool Busy() const { return static_cast<bool>(FDone); }

  private:
    struct TRequest {
        uint64_t Id;
        std::string FileName;
    };

    std::mutex FMutex;
    std::condition_variable FWake;
    std::optional<TRequest> FWaiting;  // guarded by FMutex
    bool FStopping = false;            // guarded by FMutex
    uint64_t FLatest = 0;              // this object's thread only
    TDone FDone;                       // this object's thread only
    std::thread FThread;

    void Run();
    void Deliver(uint64_t id, TLoadedPicture result);
};

}  // namespace corvane
