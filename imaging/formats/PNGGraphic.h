#pragma once
// Portable Network Graphics (png) through libpng: 1 to 16 bits, palette, grey and colour, with
// or without transparency (16-bit channels scaled to 8 bits without gamma conversion), the
// first image of the file, turned upright as its eXIf chunk's Orientation asks.

#include "imaging/formats/PhotoBitmap.h"

namespace corvane {

class TPNGGraphic : public TPhotoBitmap {
  public:
    static constexpr const char* StaticClassName = "TPNGGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TPNGGraphic>(); }

  protected:
    // "PNG image is not valid" and the reason.
    TDecodedPicture Decode(TStream& stream, TPictureBudget& budget) override;
};

// The Orientation of the PNG's eXIf chunk (1 without one).
int PngExifOrientation(Bytes png);

}  // namespace corvane
