#include "dialog/PreviewPicture.h"

#include "dialog/ResampleBitmap.h"
#include "imaging/Bitmap.h"
#include "imaging/JPEGImage.h"

namespace corvane {

namespace {

// The pixels a picture class holds as they are, without a copy; none for a drawn picture, nor
// for one with transparent parts, which are drawn over the background.
const Bitmap32* OwnPixels(const TGraphic& graphic) {
    if (graphic.Transparent()) return nullptr;
    if (auto* bitmap = dynamic_cast<const TBitmap*>(&graphic)) return &bitmap->Image();
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(&graphic)) return &jpeg->DecodedImage();
    return nullptr;
}

}  // namespace

Bitmap32 PictureBitmap(const TGraphic& graphic, Pixel background) {
    if (const Bitmap32* pixels = OwnPixels(graphic)) return *pixels;
    Bitmap32 drawn(graphic.Width(), graphic.Height(), background);
    if (!drawn.Empty()) graphic.Draw(drawn, drawn.Bounds());
    return drawn;
}

Bitmap32 FitPicture(const TGraphic& graphic, int32_t width, int32_t height, Pixel background) {
    Bitmap32 target;
    if (const Bitmap32* pixels = OwnPixels(graphic))
        ResampleBitmap(width, height, *pixels, target);
    else
        ResampleBitmap(width, height, PictureBitmap(graphic, background), target);
    return target;
}

}  // namespace corvane
