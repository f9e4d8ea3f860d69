#pragma once
// Photoshop documents (psd, pdd): the merged composite image that follows the layers, raw or
// PackBits-encoded, in RGB, grey (also duotone and multichannel, shown as grey), indexed or
// CMYK colour at 8 or 16 bits per channel, or bitmap mode at 1 bit. The layers themselves and
// further (alpha) channels are not read.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TPSDGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TPSDGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TPSDGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterPSDFormats(TFileFormatList& list);

}  // namespace corvane
