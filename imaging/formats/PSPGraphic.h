#pragma once
// Paint Shop Pro pictures (psp), file versions 3 and later: the composite image that the file
// keeps of all its layers (its channels raw, run-length or LZ77 encoded, or JPEG), or, when it
// keeps none, the first raster layer placed on a white canvas. 1, 4 and 8 bits with a palette
// or as grey, and 24-bit colour.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TPSPGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TPSPGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TPSPGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterPSPFormats(TFileFormatList& list);

}  // namespace corvane
