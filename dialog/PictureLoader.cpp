#include "dialog/PictureLoader.h"

#include "imaging/JPEGImage.h"

namespace corvane {

TLoadedPicture LoadPictureNow(const std::string& fileName) {
    TLoadedPicture result{fileName, nullptr, {}};
    try {
        auto picture = std::make_unique<TPicture>();
        picture->LoadFromFile(fileName);
        // JPEG pictures decode on first use; that use is here, off the user interface.
        if (auto* jpeg = dynamic_cast<const TJPEGImage*>(picture->Graphic())) jpeg->DecodedImage();
        result.Picture = std::move(picture);
    } catch (const std::exception& e) {
        result.Error = e.what();
    } catch (...) {
        result.Error = "Cannot read " + fileName;
    }
    return result;
}

TPictureLoader::TPictureLoader(QObject* parent) : QObject(parent), FThread([this] { Run(); }) {}

TPictureLoader::~TPictureLoader() {
    {
        std::lock_guard lock(FMutex);
        FStopping = true;
        FWaiting.reset();
    }
    FWake.notify_one();
    FThread.join();
}

void TPictureLoader::Load(const std::string& fileName, TDone done) {
    const uint64_t id = ++FLatest;
    FDone = std::move(done);
    {
        std::lock_guard lock(FMutex);
        FWaiting = TRequest{id, fileName};
    }
    FWake.notify_one();
}

void TPictureLoader::Run() {
    for (;;) {
        TRequest request;
        {
            std::unique_lock lock(FMutex);
            FWake.wait(lock, [this] { return FStopping || FWaiting; });
            if (FStopping) return;
            request = std::move(*FWaiting);
            FWaiting.reset();
        }
        auto result = std::make_shared<TLoadedPicture>(LoadPictureNow(request.FileName));
        // Queued to this object's thread; dropped with the object should it be gone first.
        QMetaObject::invokeMethod(
            this, [this, id = request.Id, result] { Deliver(id, std::move(*result)); },
            Qt::QueuedConnection);
    }
}

void TPictureLoader::Deliver(uint64_t id, TLoadedPicture result) {
    if (id != FLatest || !FDone) return;  // superseded
    TDone done = std::move(FDone);
    FDone = nullptr;
    done(std::move(result));
}

}  // namespace corvane
