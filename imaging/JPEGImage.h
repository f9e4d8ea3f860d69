#pragma once
// A JPEG picture. Loading keeps the whole file in memory and reads only its header, which gives
// the width and height; the pixels are decoded on the first drawing or copy (or Decode) and kept
// from then on. Grayscale files, and every file when the display had 8 or fewer bits per pixel at
// start-up, are quantised to 236 colours. A picture whose EXIF block records a turn is turned
// upright when it is decoded; its width and height are those of the upright picture from the start.

#include <memory>
#include <vector>

#include "imaging/Graphic.h"

namespace corvane {

class TJPEGImage : public TGraphic {
public:
    static constexpr const char* StaticClassName = "TJPEGImage";

    TJPEGImage() = default;
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TJPEGImage>(); }
    std::unique_ptr<TGraphic> Clone() const override;

    // Reads the file and its header; "JPEG error #%d" when libjpeg cannot read the header. A
    // picture larger than the size limit is refused here, before any decoding.
    void LoadFromStream(TStream& stream) override;

    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }
    void Draw(Bitmap32& dest, const TRect& rect) const override;

    void Decode() const override { DecodedImage(); }
    // The decoded pixels (decoding them first if need be), shared with copies of the picture.
    std::shared_ptr<const Bitmap32> OwnSizeImage() const override;

    bool Grayscale() const { return FGrayscale; }
    // The EXIF Orientation of the file (1 to 8; 1 also when it has none).
    int Orientation() const { return FOrientation; }
    // Whether the pixels have been decoded yet.
    bool Decoded() const { return FDecoded != nullptr; }
    // The decoded pixels, decoding them first if need be.
    const Bitmap32& DecodedImage() const;

private:
    std::vector<uint8_t> FData;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    bool FGrayscale = false;
    int FOrientation = 1;
    // Never changed once made, so clones and the player may hold it too.
    mutable std::shared_ptr<const Bitmap32> FDecoded;
};

}  // namespace corvane
