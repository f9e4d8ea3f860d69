#include "player/PictureLoader.h"

#include <QCoreApplication>

#include "imaging/Picture.h"

namespace corvane {

TPictureLoader::TPictureLoader(QObject* parent) : QObject(parent) {
    FThread = std::thread([this] { Run(); });
}

TPictureLoader::~TPictureLoader() {
    {
        std::lock_guard lock(FMutex);
        FQuit = true;
    }
    FWake.notify_all();
    FThread.join();
}

void TPictureLoader::Load(const std::string& fileName) {
    {
        std::lock_guard lock(FMutex);
        FRequest = fileName;
        ++FTicket;
    }
    FPending = true;
    FWake.notify_all();
}

void TPictureLoader::Cancel() {
    {
        std::lock_guard lock(FMutex);
        FRequest.reset();
        ++FTicket;  // a load in progress finishes unseen
        FDone.reset();
    }
    FPending = false;
}

void TPictureLoader::Run() {
    std::unique_lock lock(FMutex);
    for (;;) {
        FWake.wait(lock, [this] { return FQuit || FRequest; });
        if (FQuit) return;
        const std::string fileName = std::move(*FRequest);
        FRequest.reset();
        const uint64_t ticket = FTicket;
        lock.unlock();

        TResult result;
        result.FileName = fileName;
        try {
            std::unique_ptr<TGraphic> graphic = LoadGraphicFile(fileName);
            graphic->Decode();
            result.Graphic = std::move(graphic);
        } catch (const std::exception& e) {
            result.Error = e.what();
        } catch (...) {
            result.Error = "Unknown error";
        }

        lock.lock();
        if (ticket != FTicket) continue;  // asked for something else meanwhile
        FDone.emplace(ticket, std::move(result));
        // The result travels under the mutex; the event only says that it is there.
        QCoreApplication::postEvent(this, new QEvent(LoadedEvent));
    }
}

void TPictureLoader::customEvent(QEvent* event) {
    if (event->type() != LoadedEvent) {
        QObject::customEvent(event);
        return;
    }
    std::optional<TResult> result;
    {
        std::lock_guard lock(FMutex);
        if (FDone && FDone->first == FTicket) result = std::move(FDone->second);
        FDone.reset();
    }
    if (!result) return;
    FPending = false;
    if (OnLoaded) OnLoaded(*result);
}

}  // namespace corvane
