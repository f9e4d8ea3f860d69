#pragma once
// Alias/Wavefront run-length encoded pictures (rla, rpf): 8-bit colour or grey channels, each row
// and channel encoded on its own, rows from the bottom. Matte and auxiliary channels are not
// kept.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TRLAGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TRLAGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TRLAGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterRLAFormats(TFileFormatList& list);

}  // namespace corvane
