#pragma once
// The picture holder: owns at most one graphic (none at first). Its width and height are its
// graphic's, 0 without one. It raises OnChange whenever its graphic is replaced or changes,
// unless the notification is suspended (ChangeSuspension). A holder forwards its graphic's
// progress notification to OnProgress.
//
// Copying a holder copies its graphic; the copy keeps its own notification handlers.

#include <functional>
#include <memory>
#include <string>

#include "imaging/Graphic.h"

namespace corvane {

// Makes a graphic of the class registered for the file's extension and loads the file into it,
// with the errors of TPicture::LoadFromFile; onProgress receives the load's progress. Needs only
// the registry, so it may run on any thread once the registry is filled.
std::unique_ptr<TGraphic> LoadGraphicFile(const std::string& fileName,
                                          TProgressEvent onProgress = {});

class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture& other);
    ~TPicture() = default;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Takes the graphic over (none clears the holder) and raises OnChange.
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // Copies the other holder's graphic (or its absence) and raises OnChange.
    void Assign(const TPicture& other);

    int32_t Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int32_t Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // Loads the file by its extension through the format registry. On failure the error passes
    // on and the holder keeps its previous graphic unchanged.
    void LoadFromFile(const std::string& fileName);

    std::function<void(TPicture& sender)> OnChange;
    std::function<void(TPicture& sender, TProgressStage stage, int percentDone)> OnProgress;

    // Keeps OnChange quiet while it lives (for drawing the graphic without reacting to it).
    class ChangeSuspension {
    public:
        explicit ChangeSuspension(TPicture& picture) : FPicture(picture) { ++FPicture.FSuspended; }
        ~ChangeSuspension() { --FPicture.FSuspended; }
        ChangeSuspension(const ChangeSuspension&) = delete;
        ChangeSuspension& operator=(const ChangeSuspension&) = delete;

    private:
        TPicture& FPicture;
    };

private:
    std::unique_ptr<TGraphic> FGraphic;
    int FSuspended = 0;

    void Install(std::unique_ptr<TGraphic> graphic);
    void Changed();
};

}  // namespace corvane
