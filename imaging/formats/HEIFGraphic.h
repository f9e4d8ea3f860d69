#pragma once
// High Efficiency Image Files (heic, heif: every iPhone photo since 2017) through libheif; see
// HeifDecoder.h.

#include "imaging/formats/PhotoBitmap.h"

namespace corvane {

class THEIFGraphic : public TPhotoBitmap {
  public:
    static constexpr const char* StaticClassName = "THEIFGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<THEIFGraphic>(); }

  protected:
    // "HEIF image is not valid" and libheif's reason.
    TDecodedPicture Decode(TStream& stream, TPictureBudget& budget) override;
};

}  // namespace corvane
