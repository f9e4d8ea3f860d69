#pragma once
// Portable maps (ppm, pgm, pbm): pixel, grey and bit maps, as text (P1 to P3) or binary (P4 to
// P6), with a largest sample value of up to 65535. A file of several pictures shows its first.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TPPMGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TPPMGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TPPMGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterPPMFormats(TFileFormatList& list);

}  // namespace corvane
