#pragma once
// Truevision Targa pictures (tga, win, vst, vda, icb): colour-mapped, true-colour (15, 16, 24 and
// 32 bits) and grey (8 bits, or 16 with alpha), uncompressed or run-length encoded, stored from
// the bottom or the top and from the left or the right. Alpha is not kept.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TTargaGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TTargaGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TTargaGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterTargaFormats(TFileFormatList& list);

}  // namespace corvane
