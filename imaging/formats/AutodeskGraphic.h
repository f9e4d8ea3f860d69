#pragma once
// Autodesk Animator cels and pictures (cel, pic): 256 colours with a palette of 6-bit values,
// rows from the top.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TAutodeskGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TAutodeskGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TAutodeskGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterAutodeskFormats(TFileFormatList& list);

}  // namespace corvane
