#include "imaging/Icon.h"

#include <algorithm>

#include "imaging/AlphaDraw.h"
#include "imaging/ByteReader.h"
#include "imaging/DibDecoder.h"
#include "imaging/ImagingErrors.h"
#include "imaging/PictureLimits.h"
#include "imaging/PngCodec.h"
#include "imaging/Stream.h"

namespace corvane {

namespace {

#pragma pack(push, 1)
struct IconDir {
    uint16_t Reserved;
    uint16_t Type;  // 1 for icons
    uint16_t Count;
};
struct IconDirEntry {
    uint8_t Width;
    uint8_t Height;
    uint8_t ColorCount;
    uint8_t Reserved;
    uint16_t Planes;
    uint16_t BitCount;
    uint32_t BytesInRes;
    uint32_t ImageOffset;
};
#pragma pack(pop)
static_assert(sizeof(IconDir) == 6);
static_assert(sizeof(IconDirEntry) == 16);

constexpr const char* InvalidIcon = "Icon image is not valid";

[[noreturn]] void Fail() {
    throw EInvalidGraphic(InvalidIcon);
}

// What an entry's own image header says, which is more reliable than the directory.
struct Candidate {
    uint64_t Offset = 0;  // from the start of the file
    uint64_t Size = 0;
    bool Png = false;
    int64_t Pixels = 0;
    int Depth = 0;
};

// Reads the start of an entry: enough for a PNG's header, or for a bitmap's header and colours.
Candidate Inspect(TStream& stream, uint64_t base, uint64_t fileSize, const IconDirEntry& entry,
                  TPictureBudget& budget) {
    if (entry.ImageOffset > fileSize || entry.BytesInRes > fileSize - entry.ImageOffset) Fail();
    Candidate c;
    c.Offset = entry.ImageOffset;
    c.Size = entry.BytesInRes;
    const std::vector<uint8_t> start =
        budget.ReadUpTo(stream, base + c.Offset, std::min<uint64_t>(c.Size, MaxDibHeadBytes));
    if (IsPng(start)) {
        int32_t w = 0, h = 0;
        if (!ReadPngSize(start, w, h)) Fail();
        c.Png = true;
        c.Pixels = int64_t(w) * h;
        c.Depth = 32;
    } else {
        const DibInfo info = ReadDibInfo(start, DibOptions{InvalidIcon, true});
        c.Pixels = int64_t(info.Width) * info.Height;
        c.Depth = info.BitCount;
    }
    return c;
}

}  // namespace

TIcon::TIcon() {
    SetTransparent(true);
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
    auto copy = std::make_unique<TIcon>();
    copy->FImage = FImage;
    copy->FAlpha = FAlpha;
    return copy;
}

void TIcon::LoadFromStream(TStream& stream) {
    TPictureBudget& budget = StartBudget();
    // Only the directory, the start of each entry and the chosen entry are read.
    const uint64_t base = stream.Position();
    const uint64_t fileSize = stream.Size() - std::min(base, stream.Size());
    std::vector<uint8_t> head;
    IconDir dir{};
    if (!budget.ReadAt(stream, base, sizeof dir, head) || !ReadStruct(Bytes(head), 0, dir) ||
        dir.Reserved != 0 || dir.Type != 1 || dir.Count == 0)
        Fail();
    std::vector<uint8_t> entries;
    if (!budget.ReadAt(stream, base + sizeof dir, uint64_t(dir.Count) * sizeof(IconDirEntry),
                       entries))
        Fail();
    Candidate best;
    for (uint32_t i = 0; i < dir.Count; ++i) {
        IconDirEntry entry{};
        ReadStruct(Bytes(entries), uint64_t(i) * sizeof entry, entry);
        const Candidate c = Inspect(stream, base, fileSize, entry, budget);
        if (c.Pixels > best.Pixels || (c.Pixels == best.Pixels && c.Depth > best.Depth)) best = c;
    }
    std::vector<uint8_t> chosen;
    if (!budget.ReadAt(stream, base + best.Offset, best.Size, chosen)) Fail();
    const Bytes data(chosen);

    Bitmap32 image;
    std::vector<uint8_t> alpha;
    if (best.Png) {
        PngImage png = DecodePng(data, InvalidIcon, budget);
        image = std::move(png.Image);
        alpha = std::move(png.Alpha);
    } else {
        DibImage dib =
            DecodeDib(data, std::nullopt, DibOptions{InvalidIcon, true, true, true}, budget);
        const int32_t w = dib.Image.Width(), h = dib.Image.Height();
        bool hasAlpha = false;
        for (uint8_t a : dib.Alpha) hasAlpha |= a != 0;
        if (hasAlpha) {
            alpha = std::move(dib.Alpha);
        } else {
            // The AND mask follows the colour image: one bit per pixel, rows bottom-up, each row
            // padded to 32 bits; a set bit lets the background show.
            const uint64_t stride = (uint64_t(w) + 31) / 32 * 4;
            if (!InRange(dib.Bits, dib.BitsEnd, stride * uint64_t(h))) Fail();
            const uint8_t* mask = dib.Bits.data() + dib.BitsEnd;
            budget.AllowImage(w, h, 1);
            alpha.assign(size_t(w) * size_t(h), 0);
            for (int32_t row = 0; row < h; ++row) {
                const uint8_t* bits = mask + size_t(stride) * size_t(row);
                const size_t y = size_t(h - 1 - row);
                for (int32_t x = 0; x < w; ++x)
                    alpha[y * size_t(w) + size_t(x)] =
                        (bits[x >> 3] >> (7 - (x & 7))) & 1 ? 0 : 255;
            }
        }
        image = std::move(dib.Image);
    }
    FImage = std::move(image);
    FAlpha = std::move(alpha);
    Changed();
}

void TIcon::Draw(Bitmap32& dest, const TRect& rect) const {
    DrawWithAlpha(dest, rect, FImage, FAlpha);
}

}  // namespace corvane
