#pragma once
// AV1 Image Files (avif: photos and downloads of today's phones and browsers) through libheif;
// see HeifDecoder.h.

#include "imaging/formats/PhotoBitmap.h"

namespace corvane {

class TAVIFGraphic : public TPhotoBitmap {
  public:
    static constexpr const char* StaticClassName = "TAVIFGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TAVIFGraphic>(); }

  protected:
    // "AVIF image is not valid" and libheif's reason.
    TDecodedPicture Decode(TStream& stream, TPictureBudget& budget) override;
};

}  // namespace corvane
