#include "imaging/Bitmap.h"

#include "imaging/DibDecoder.h"
#include "imaging/ImagingErrors.h"
#include "imaging/JPEGImage.h"
#include "imaging/Stream.h"
#include "platform/raster/Drawing.h"

namespace corvane {

namespace {

#pragma pack(push, 1)
struct BitmapFileHeader {
    uint16_t Type;  // "BM"
    uint32_t Size;
    uint16_t Reserved1;
    uint16_t Reserved2;
    uint32_t OffBits;
};
#pragma pack(pop)
static_assert(sizeof(BitmapFileHeader) == 14);

constexpr const char* InvalidBitmap = "Bitmap image is not valid";

}  // namespace

Bitmap32 DecodeBitmapFile(Bytes data) {
    BitmapFileHeader file{};
    if (!ReadStruct(data, 0, file) || file.Type != 0x4D42) throw EInvalidGraphic(InvalidBitmap);
    const Bytes info = data.subspan(sizeof file);
    // The stated pixel offset is used when it points past the headers into the file; writers
    // that leave it 0 put the pixels right after the colour table.
    std::optional<Bytes> bits;
    if (file.OffBits > sizeof file && file.OffBits < data.size()) bits = data.subspan(file.OffBits);
    return DecodeDib(info, bits, DibOptions{InvalidBitmap}).Image;
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    copy->FImage = FImage;
    copy->SetTransparent(Transparent());
    return copy;
}

void TBitmap::LoadFromStream(TStream& stream) {
    const std::vector<uint8_t> data = stream.ReadRemaining();
    SetImage(DecodeBitmapFile(data));
}

void TBitmap::Draw(Bitmap32& dest, const TRect& rect) const {
    if (FImage.Empty()) return;
    StretchBlt(dest, rect.Left, rect.Top, int32_t(rect.Width()), int32_t(rect.Height()), FImage, 0,
               0, FImage.Width(), FImage.Height());
}

void TBitmap::Assign(const TGraphic& source) {
    if (auto bitmap = dynamic_cast<const TBitmap*>(&source)) {
        if (bitmap != this) SetImage(bitmap->FImage);
        return;
    }
    if (auto jpeg = dynamic_cast<const TJPEGImage*>(&source)) {
        SetImage(jpeg->DecodedImage());
        return;
    }
    throw EInvalidGraphicOperation(std::string("Cannot assign a ") + source.ClassName() + " to a " +
                                   ClassName());
}

void TBitmap::SetImage(Bitmap32 image) {
    FImage = std::move(image);
    Changed();
}

}  // namespace corvane
