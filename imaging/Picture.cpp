#include "imaging/Picture.h"

#include "imaging/FileFormatsList.h"
#include "imaging/ImagingErrors.h"

namespace corvane {

namespace {

// The part after the last dot, when that dot stands after the last path separator (and drive
// colon, which a name written the old way may still carry); empty otherwise.
std::string ExtensionOf(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos) return {};
    const size_t separator = fileName.find_last_of("/\\:");
    if (separator != std::string::npos && separator > dot) return {};
    return fileName.substr(dot + 1);
}

}  // namespace

TPicture::TPicture(const TPicture& other) {
    if (other.FGraphic) Install(other.FGraphic->Clone());
}

TPicture& TPicture::operator=(const TPicture& other) {
    Assign(other);
    return *this;
}

void TPicture::Assign(const TPicture& other) {
    if (this == &other) return;
    SetGraphic(other.FGraphic ? other.FGraphic->Clone() : nullptr);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    Install(std::move(graphic));
    Changed();
}

std::unique_ptr<TGraphic> LoadGraphicFile(const std::string& fileName, TProgressEvent onProgress) {
    const std::string extension = ExtensionOf(fileName);
    const TGraphicClass* graphicClass = FileFormats().FindExt(extension);
    if (!graphicClass) throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
    std::unique_ptr<TGraphic> graphic = graphicClass->Create();
    graphic->OnProgress = std::move(onProgress);
    // A throwing load frees the new instance on the way out.
    graphic->LoadFromFile(fileName);
    return graphic;
}

void TPicture::LoadFromFile(const std::string& fileName) {
    // On failure the old graphic stays.
    SetGraphic(LoadGraphicFile(fileName, [this](TGraphic&, TProgressStage stage, int percent) {
        if (OnProgress) OnProgress(*this, stage, percent);
    }));
}

void TPicture::Install(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (!FGraphic) return;
    FGraphic->OnChange = [this](TGraphic&) { Changed(); };
    FGraphic->OnProgress = [this](TGraphic&, TProgressStage stage, int percent) {
        if (OnProgress) OnProgress(*this, stage, percent);
    };
}

void TPicture::Changed() {
    if (FSuspended == 0 && OnChange) OnChange(*this);
}

}  // namespace corvane
