#include "imaging/DibDecoder.h"

#include <algorithm>
#include <array>
#include <bit>

#include "imaging/ImagingErrors.h"
#include "imaging/PictureLimits.h"

namespace corvane {

namespace {

#pragma pack(push, 1)
struct BitmapCoreHeader {
    uint32_t Size;
    uint16_t Width;
    uint16_t Height;
    uint16_t Planes;
    uint16_t BitCount;
};
struct BitmapInfoHeader {
    uint32_t Size;
    int32_t Width;
    int32_t Height;
    uint16_t Planes;
    uint16_t BitCount;
    uint32_t Compression;
    uint32_t SizeImage;
    int32_t XPelsPerMeter;
    int32_t YPelsPerMeter;
    uint32_t ClrUsed;
    uint32_t ClrImportant;
};
#pragma pack(pop)
static_assert(sizeof(BitmapCoreHeader) == 12);
static_assert(sizeof(BitmapInfoHeader) == 40);

enum Compression : uint32_t {
    BI_RGB = 0,
    BI_RLE8 = 1,
    BI_RLE4 = 2,
    BI_BITFIELDS = 3,
    BI_ALPHABITFIELDS = 6,
};

// One colour channel of a bit-field pixel: the mask's contiguous run of bits, scaled to 8 bits.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    static std::optional<Channel> From(uint32_t mask) {
        Channel c;
        c.Mask = mask;
        if (mask == 0) return c;
        c.Shift = std::countr_zero(mask);
        const uint32_t run = mask >> c.Shift;
        if ((run & (run + 1)) != 0) return std::nullopt;  // the set bits must be contiguous
        c.Bits = std::popcount(run);
        return c;
    }
    uint8_t Extract(uint32_t value) const {
        if (Bits == 0) return 0;
        uint32_t v = (value & Mask) >> Shift;
        if (Bits >= 8) return uint8_t(v >> (Bits - 8));
        // Widen by repeating the bits, so that the largest value maps to 255.
        uint32_t out = 0;
        for (int filled = 0; filled < 8; filled += Bits) out = (out << Bits) | v;
        return uint8_t(out >> ((8 + Bits - 1) / Bits * Bits - 8));
    }
};

struct Header {
    int32_t Width = 0;
    int32_t Height = 0;  // positive
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = BI_RGB;
    Channel Red, Green, Blue;
    std::vector<Pixel> Palette;  // the entries a pixel index may name
    size_t HeadersEnd = 0;       // offset in info past the header, the masks and the colours used
    size_t TableEnd = 0;         // offset in info just past the colour table

    bool RunLength() const { return Compression == BI_RLE8 || Compression == BI_RLE4; }
    uint64_t Stride() const { return (uint64_t(Width) * uint64_t(BitCount) + 31) / 32 * 4; }
    uint64_t Pixels() const { return uint64_t(Width) * uint64_t(Height); }
    // The AND mask of an icon image: one bit per pixel, rows padded to 32 bits.
    uint64_t MaskSize() const { return (uint64_t(Width) + 31) / 32 * 4 * uint64_t(Height); }
};

class Decoder {
public:
    Decoder(Bytes info, const DibOptions& options) : FInfo(info), FOptions(options) {}

    [[noreturn]] void Fail() const { throw EInvalidGraphic(FOptions.InvalidMessage); }

    Header ReadHeader() {
        Header h;
        uint32_t size = 0;
        if (!ReadStruct(FInfo, 0, size)) Fail();
        size_t paletteEntrySize = 4;
        uint64_t paletteCount = 0;
        if (size == sizeof(BitmapCoreHeader)) {
            BitmapCoreHeader core{};
            if (!ReadStruct(FInfo, 0, core)) Fail();
            h.Width = core.Width;
            h.Height = core.Height;
            h.BitCount = core.BitCount;
            paletteEntrySize = 3;
            if (h.BitCount <= 8) paletteCount = uint64_t(1) << h.BitCount;
            h.TableEnd = size;
        } else {
            BitmapInfoHeader info{};
            if (size < sizeof(BitmapInfoHeader) || !ReadStruct(FInfo, 0, info)) Fail();
            if (info.Height == INT32_MIN) Fail();
            h.Width = info.Width;
            h.TopDown = info.Height < 0;
            h.Height = info.Height < 0 ? -info.Height : info.Height;
            h.BitCount = info.BitCount;
            h.Compression = info.Compression;
            // The OS/2 header of 64 bytes uses the numbers 3 and 4 for other compressions.
            if (size == 64 && h.Compression > BI_RLE4) Fail();
            uint64_t offset = size;
            if (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) {
                // Masks inside a longer header, or right after the short one.
                uint32_t masks[3]{};
                const uint64_t at = size >= 52 ? 40 : size;
                if (!ReadStruct(FInfo, at, masks)) Fail();
                if (size < 52) offset += h.Compression == BI_ALPHABITFIELDS ? 16 : 12;
                auto r = Channel::From(masks[0]), g = Channel::From(masks[1]),
                     b = Channel::From(masks[2]);
                if (!r || !g || !b) Fail();
                h.Red = *r, h.Green = *g, h.Blue = *b;
            }
            if (h.BitCount <= 8)
                paletteCount = info.ClrUsed ? info.ClrUsed : uint64_t(1) << h.BitCount;
            else
                paletteCount = info.ClrUsed;  // an optional table that pixels do not use
            h.TableEnd = size_t(offset);
        }
        // Uncompressed 16 and 32 bits have fixed fields, also under the OS/2 core header.
        if (h.Compression == BI_RGB && h.BitCount == 16) {
            h.Red = *Channel::From(0x7C00), h.Green = *Channel::From(0x03E0);
            h.Blue = *Channel::From(0x001F);
        } else if (h.Compression == BI_RGB && h.BitCount == 32) {
            h.Red = *Channel::From(0xFF0000), h.Green = *Channel::From(0xFF00);
            h.Blue = *Channel::From(0xFF);
        }
        ValidateFormat(h);
        if (!InRange(FInfo, h.TableEnd, paletteCount * paletteEntrySize)) {
            // Pixels that name no colour need none; a depth that indexes must have its table.
            if (h.BitCount <= 8) Fail();
            paletteCount = 0;
        }
        h.HeadersEnd = h.TableEnd;
        if (h.BitCount <= 8) {
            const uint64_t used = std::min<uint64_t>(paletteCount, uint64_t(1) << h.BitCount);
            h.HeadersEnd += size_t(used * paletteEntrySize);
            h.Palette.assign(size_t(1) << h.BitCount, 0);  // indices past the table are black
            for (uint64_t i = 0; i < used; ++i) {
                const uint8_t* p = FInfo.data() + h.TableEnd + i * paletteEntrySize;
                h.Palette[size_t(i)] = MakePixel(p[2], p[1], p[0]);
            }
        }
        h.TableEnd += size_t(paletteCount * paletteEntrySize);
        if (FOptions.DoubleHeight) {
            if (h.TopDown) Fail();
            h.Height /= 2;
        }
        if (h.Width <= 0 || h.Height <= 0) Fail();
        return h;
    }

    void ValidateFormat(const Header& h) const {
        switch (h.BitCount) {
            case 1:
            case 4:
            case 8:
            case 16:
            case 24:
            case 32:
                break;
            default:
                Fail();
        }
        switch (h.Compression) {
            case BI_RGB:
                break;
            case BI_RLE8:
                if (h.BitCount != 8 || h.TopDown) Fail();
                break;
            case BI_RLE4:
                if (h.BitCount != 4 || h.TopDown) Fail();
                break;
            case BI_BITFIELDS:
            case BI_ALPHABITFIELDS:
                if (h.BitCount != 16 && h.BitCount != 32) Fail();
                break;
            default:
                Fail();
        }
    }

    DibImage Decode(std::optional<Bytes> bitsBlock, TPictureBudget& budget) {
        const Header h = ReadHeader();
        CheckPictureSize(h.Width, h.Height);
        Bytes bits = bitsBlock ? *bitsBlock
                               : (h.TableEnd <= FInfo.size() ? FInfo.subspan(h.TableEnd) : Bytes{});
        // Bytes that must follow the pixel data and yield no colour.
        const uint64_t trailing = FOptions.MaskFollows && h.BitCount < 32 ? h.MaskSize() : 0;
        DibImage out;
        out.BitCount = h.BitCount;
        out.TopDown = h.TopDown;
        out.Bits = bits;
        if (h.RunLength()) {
            if (bits.size() < trailing ||
                !DataCanYield(bits.size() - trailing, h.Pixels(), MaxRlePixelsPerByte))
                Fail();
            budget.AllowImage(h.Width, h.Height);
            out.Image = Bitmap32(h.Width, h.Height);
            out.BitsEnd = DecodeRle(h, bits, out.Image);
            return out;
        }
        const uint64_t stride = h.Stride();
        if (!InRange(bits, 0, stride * uint64_t(h.Height) + trailing)) Fail();
        out.BitsEnd = size_t(stride * uint64_t(h.Height));
        const bool keepAlpha = FOptions.WantAlpha && h.BitCount == 32 && h.Compression == BI_RGB;
        budget.AllowImage(h.Width, h.Height, keepAlpha ? 5 : 4);
        out.Image = Bitmap32(h.Width, h.Height);
        if (keepAlpha) out.Alpha.assign(size_t(h.Width) * size_t(h.Height), 0);
        for (int32_t row = 0; row < h.Height; ++row) {
            const int32_t y = h.TopDown ? row : h.Height - 1 - row;
            const uint8_t* in = bits.data() + size_t(stride) * size_t(row);
            Pixel* line = out.Image.Scanline(y);
            DecodeRow(h, in, line);
            if (keepAlpha)
                for (int32_t x = 0; x < h.Width; ++x)
                    out.Alpha[size_t(y) * size_t(h.Width) + size_t(x)] = in[4 * x + 3];
        }
        return out;
    }

private:
    Bytes FInfo;
    const DibOptions& FOptions;

    static void DecodeRow(const Header& h, const uint8_t* in, Pixel* line) {
        const int32_t w = h.Width;
        switch (h.BitCount) {
            case 1:
                for (int32_t x = 0; x < w; ++x)
                    line[x] = h.Palette[(in[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                for (int32_t x = 0; x < w; ++x)
                    line[x] = h.Palette[(x & 1) ? in[x >> 1] & 15 : in[x >> 1] >> 4];
                break;
            case 8:
                for (int32_t x = 0; x < w; ++x) line[x] = h.Palette[in[x]];
                break;
            case 16:
                for (int32_t x = 0; x < w; ++x) line[x] = FromFields(h, Le16(in + 2 * x));
                break;
            case 24:
                for (int32_t x = 0; x < w; ++x)
                    line[x] = MakePixel(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
                break;
            case 32:
                for (int32_t x = 0; x < w; ++x) line[x] = FromFields(h, Le32(in + 4 * x));
                break;
        }
    }

    static Pixel FromFields(const Header& h, uint32_t v) {
        return MakePixel(h.Red.Extract(v), h.Green.Extract(v), h.Blue.Extract(v));
    }

    // Runs and escapes of RLE8 and RLE4. Every record consumes input, so the loop ends with the
    // data; pixels that fall outside the bitmap are dropped.
    size_t DecodeRle(const Header& h, Bytes bits, Bitmap32& image) const {
        const bool four = h.Compression == BI_RLE4;
        int64_t x = 0, row = 0;  // row 0 is the bottom row, as the stream counts
        auto put = [&](uint32_t index) {
            if (x < h.Width && row < h.Height)
                image.SetPixel(int32_t(x), int32_t(h.Height - 1 - row), h.Palette[index]);
            ++x;
        };
        size_t pos = 0;
        while (true) {
            if (!InRange(bits, pos, 2)) Fail();  // the data ended without its end marker
            const uint8_t count = bits[pos], value = bits[pos + 1];
            pos += 2;
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    put(four ? ((i & 1) ? value & 15 : value >> 4) : value);
                continue;
            }
            if (value == 0) {  // end of line
                x = 0;
                ++row;
            } else if (value == 1) {  // end of bitmap
                return pos;
            } else if (value == 2) {  // move right and up
                if (!InRange(bits, pos, 2)) Fail();
                x += bits[pos];
                row += bits[pos + 1];
                pos += 2;
            } else {  // a literal run, padded to a 16-bit boundary
                const size_t bytes = four ? (value + 1u) / 2 : value;
                const size_t padded = (bytes + 1) & ~size_t(1);
                if (!InRange(bits, pos, padded)) Fail();
                for (int i = 0; i < value; ++i) {
                    const uint8_t b = bits[pos + (four ? size_t(i) / 2 : size_t(i))];
                    put(four ? ((i & 1) ? b & 15 : b >> 4) : b);
                }
                pos += padded;
            }
        }
    }
};

}  // namespace

DibInfo ReadDibInfo(Bytes info, const DibOptions& options) {
    Decoder decoder(info, options);
    const Header h = decoder.ReadHeader();
    DibInfo out{h.Width, h.Height, h.BitCount, h.RunLength(), h.HeadersEnd, h.TableEnd};
    if (h.RunLength())
        // Runs of one pixel take two bytes each, and a row ends with a code of two or four.
        out.MostBitsSize = 2 * h.Pixels() + 4 * uint64_t(h.Height) + 2;
    else
        out.BitsSize = h.Stride() * uint64_t(h.Height);
    return out;
}

DibImage DecodeDib(Bytes info, std::optional<Bytes> bits, const DibOptions& options,
                   TPictureBudget& budget) {
    return Decoder(info, options).Decode(bits, budget);
}

}  // namespace corvane
