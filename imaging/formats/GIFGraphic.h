#pragma once
// CompuServe GIF pictures (gif) through giflib: the first frame, composed onto the logical screen
// filled with its background colour; pixels of the frame's transparent colour leave the screen
// as it is. Interlaced frames are put in order.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TGIFGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TGIFGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TGIFGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterGIFFormats(TFileFormatList& list);

}  // namespace corvane
