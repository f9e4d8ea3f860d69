#include "player/PictureLoader.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "imaging/Picture.h"

namespace corvane {

TPictureLoader::TPictureLoader(QObject* parent) : QObject(parent) {
    FWakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (FWakeFd < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
    FNotifier = new QSocketNotifier(FWakeFd, QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] { HandOver(); });
    FThread = std::thread([this] { Run(); });
}

TPictureLoader::~TPictureLoader() {
    {
        std::lock_guard lock(FMutex);
        FQuit = true;
    }
    FWake.notify_all();
    FThread.join();
    delete FNotifier;
    close(FWakeFd);
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
        // The result travels under the mutex; the descriptor only says that it is there.
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(FWakeFd, &one, sizeof one);
    }
}

void TPictureLoader::HandOver() {
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(FWakeFd, &count, sizeof count);
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
