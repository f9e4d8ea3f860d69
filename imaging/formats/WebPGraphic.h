#pragma once
// WebP pictures (webp) through libwebp: lossy, lossless, with or without alpha; of an animation
// the first frame (its own rectangle of the canvas). Turned upright as the EXIF chunk's
// Orientation asks.

#include "imaging/formats/PhotoBitmap.h"

namespace corvane {

class TWebPGraphic : public TPhotoBitmap {
  public:
    static constexpr const char* StaticClassName = "TWebPGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TWebPGraphic>(); }

  protected:
    // "WebP image is not valid" and the reason.
    TDecodedPicture Decode(TStream& stream, TPictureBudget& budget) override;
};

}  // namespace corvane
