#pragma once
// The base of today's photo and screenshot formats (PNG, WebP, HEIF, AVIF), each a thin class
// over the Debian library made for it. A class decodes its file whole into 32-bit pixels and an
// opacity per pixel; the loader here then turns the picture upright once, as the file's EXIF
// Orientation asks, so that width, height and pixels are those of the upright picture from then
// on. Pixels that are not fully opaque are drawn over what the surface holds (the player's
// background colour), as icons are. A failed load leaves the previous picture untouched.

#include <vector>

#include "imaging/Bitmap.h"

namespace corvane {

// A picture as its file stores it.
struct TDecodedPicture {
    Bitmap32 Image;              // bottom-up, colours not premultiplied
    std::vector<uint8_t> Alpha;  // one opacity per pixel, rows from the top; empty when opaque
    int Orientation = 1;         // the EXIF Orientation the file records (Orientation.h)
};

class TPhotoBitmap : public TBitmap {
  public:
    // The graphic's own Decode (nothing to do once loaded) stays visible beside the format's.
    using TBitmap::Decode;
    // A copy of the same class, opacities included.
    std::unique_ptr<TGraphic> Clone() const override;
    void LoadFromStream(TStream& stream) override;
    void Draw(Bitmap32& dest, const TRect& rect) const override;

    // Opacity per pixel of the upright picture, rows from the top; empty when it is opaque.
    const std::vector<uint8_t>& Alpha() const { return FAlpha; }

  protected:
    TPhotoBitmap() = default;
    // Decodes the file from the stream's position, reading and allocating through the load's
    // budget (PictureLimits.h); throws the format's error on bad data.
    virtual TDecodedPicture Decode(TStream& stream, TPictureBudget& budget) = 0;

  private:
    std::vector<uint8_t> FAlpha;
};

// Splits the fourth byte of every pixel (an opacity) off into one byte per pixel, rows from the
// top.
std::vector<uint8_t> SplitAlpha(Bitmap32& image);

}  // namespace corvane
