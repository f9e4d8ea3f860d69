#pragma once
// SGI pictures (sgi, rgb, rgba, bw): one to four channels (grey, grey and alpha, RGB, RGB and
// alpha; alpha is not kept) of 8 or 16 bits, stored verbatim or run-length encoded, rows from the
// bottom.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TSGIGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TSGIGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TSGIGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterSGIFormats(TFileFormatList& list);

}  // namespace corvane
