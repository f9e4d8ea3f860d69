#include "imaging/Graphic.h"

#include "imaging/FileStream.h"

namespace corvane {

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName);
    Progress(TProgressStage::psStarting, 0);
    LoadFromStream(stream);
    Progress(TProgressStage::psEnding, 100);
}

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange) OnChange(*this);
}

void TGraphic::Progress(TProgressStage stage, int percentDone) {
    if (OnProgress) OnProgress(*this, stage, percentDone);
}

}  // namespace corvane
