#include "imaging/Bitmap.h"

#include <algorithm>

#include "imaging/DibDecoder.h"
#include "imaging/ImagingErrors.h"
#include "imaging/JPEGImage.h"
#include "imaging/PictureLimits.h"
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

[[noreturn]] void Fail() {
    throw EInvalidGraphic(InvalidBitmap);
}

}  // namespace

Bitmap32 ReadBitmapFile(TStream& stream, TPictureBudget& budget) {
    const uint64_t base = stream.Position();
    const uint64_t size = stream.Size() - std::min(base, stream.Size());
    const std::vector<uint8_t> head =
        budget.ReadUpTo(stream, base, sizeof(BitmapFileHeader) + MaxDibHeadBytes);
    BitmapFileHeader file{};
    if (!ReadStruct(Bytes(head), 0, file) || file.Type != 0x4D42) Fail();
    const Bytes info = Bytes(head).subspan(sizeof file);
    const DibOptions options{InvalidBitmap};
    const DibInfo layout = ReadDibInfo(info, options);
    CheckPictureSize(layout.Width, layout.Height);

    // Writers that leave the pixel offset 0 put the pixels right after the colour table; a
    // stated offset must lie past the headers and the colours the pixels use, inside the file.
    uint64_t bitsAt = sizeof file + layout.TableEnd;
    if (file.OffBits != 0) {
        if (file.OffBits < sizeof file + layout.HeadersEnd || file.OffBits >= size) Fail();
        bitsAt = file.OffBits;
    }
    std::vector<uint8_t> bits;
    if (layout.RunLength)
        bits = budget.ReadUpTo(stream, base + bitsAt, layout.MostBitsSize);
    else if (!budget.ReadAt(stream, base + bitsAt, layout.BitsSize, bits))
        Fail();
    return DecodeDib(info, Bytes(bits), options, budget).Image;
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    copy->FImage = FImage;
    copy->SetTransparent(Transparent());
    return copy;
}

void TBitmap::LoadFromStream(TStream& stream) {
    SetImage(ReadBitmapFile(stream, StartBudget()));
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
