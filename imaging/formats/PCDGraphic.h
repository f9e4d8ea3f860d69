#pragma once
// Kodak Photo-CD image packs (pcd): the base image of 768 x 512 pixels, converted from the disc's
// luma and chroma to RGB and turned upright as the pack's orientation says.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TPCDGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TPCDGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TPCDGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterPCDFormats(TFileFormatList& list);

}  // namespace corvane
