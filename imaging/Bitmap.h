#pragma once
// A picture held as 32-bit pixels: Windows device-independent bitmap files (bmp, rle, dib), and,
// through its descendants, the further raster formats. Its image is a bottom-up Bitmap32 of the
// picture's size (empty before a load).

#include "imaging/ByteReader.h"
#include "imaging/Graphic.h"

namespace corvane {

class TBitmap : public TGraphic {
public:
    static constexpr const char* StaticClassName = "TBitmap";

    TBitmap() = default;
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TBitmap>(); }
    // A plain TBitmap with the same pixels, also for the descendants: once loaded they are
    // bitmaps.
    std::unique_ptr<TGraphic> Clone() const override;

    // Reads a bitmap file; "Bitmap image is not valid" for anything malformed.
    void LoadFromStream(TStream& stream) override;

    int32_t Width() const override { return FImage.Width(); }
    int32_t Height() const override { return FImage.Height(); }
    void Draw(Bitmap32& dest, const TRect& rect) const override;

    // Copies a picture into this plain bitmap: a TBitmap (or descendant) or a TJPEGImage, which
    // decodes for it. Any other class is refused with "Cannot assign a %s to a %s".
    void Assign(const TGraphic& source);

    const Bitmap32& Image() const { return FImage; }
    // Replaces the pixels and raises the change notification.
    void SetImage(Bitmap32 image);

protected:
    Bitmap32 FImage;
};

// Reads a bitmap file (file header and device-independent bitmap) from the stream's position:
// its headers, then exactly the pixel data they state (run-length data: at most what a writer
// can need for the stated size), all through the budget.
Bitmap32 ReadBitmapFile(TStream& stream, TPictureBudget& budget);

}  // namespace corvane
