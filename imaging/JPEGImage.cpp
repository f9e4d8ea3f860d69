#include "imaging/JPEGImage.h"

#include "imaging/DisplayDepth.h"
#include "imaging/JpegCodec.h"
#include "imaging/Orientation.h"
#include "imaging/PictureLimits.h"
#include "imaging/Stream.h"
#include "platform/raster/Drawing.h"

namespace corvane {

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    auto copy = std::make_unique<TJPEGImage>();
    copy->FData = FData;
    copy->FWidth = FWidth;
    copy->FHeight = FHeight;
    copy->FGrayscale = FGrayscale;
    copy->FOrientation = FOrientation;
    copy->FDecoded = FDecoded;
    copy->SetTransparent(Transparent());
    return copy;
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    // libjpeg reads from memory: the whole file, within the budget's ceiling.
    std::vector<uint8_t> data = StartBudget().ReadWhole(stream);
    const JpegHeader header = ReadJpegHeader(data);
    // Refused at once rather than at the first drawing, so the load itself reports it.
    CheckPictureSize(header.Width, header.Height);
    FData = std::move(data);
    const bool swap = SwapsSides(header.Orientation);
    FWidth = swap ? header.Height : header.Width;
    FHeight = swap ? header.Width : header.Height;
    FGrayscale = header.Grayscale;
    FOrientation = header.Orientation;
    FDecoded.reset();
    Changed();
}

const Bitmap32& TJPEGImage::DecodedImage() const {
    if (!FDecoded) {
        const bool quantize = FGrayscale || DisplayBitsPerPixel() <= 8;
        FDecoded = std::make_shared<const Bitmap32>(
            TurnUpright(DecodeJpeg(FData, quantize), FOrientation));
    }
    return *FDecoded;
}

std::shared_ptr<const Bitmap32> TJPEGImage::OwnSizeImage() const {
    if (Empty()) return nullptr;
    DecodedImage();
    return FDecoded;
}

void TJPEGImage::Draw(Bitmap32& dest, const TRect& rect) const {
    if (Empty()) return;
    const Bitmap32& image = DecodedImage();
    StretchBlt(dest, rect.Left, rect.Top, int32_t(rect.Width()), int32_t(rect.Height()), image, 0,
               0, image.Width(), image.Height());
}

}  // namespace corvane
