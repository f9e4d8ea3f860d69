#include "imaging/formats/PSDGraphic.h"

#include <cstring>
#include <vector>

#include "imaging/ImagingErrors.h"
#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

constexpr uint64_t HeaderSize = 26;
enum ColourMode : uint16_t {
    Bitmap = 0,
    Grayscale = 1,
    Indexed = 2,
    RGB = 3,
    CMYK = 4,
    Multichannel = 7,
    Duotone = 8,
    Lab = 9,
};
enum Compression : uint16_t { Raw = 0, PackBits = 1, Zip = 2, ZipPrediction = 3 };

// One row of PackBits: a count n below 128 introduces n + 1 literal bytes, one above 128
// repeats the next byte 257 - n times, 128 does nothing. False when the row is short.
bool UnpackRow(const uint8_t* in, size_t length, uint8_t* out, size_t rowBytes) {
    size_t pos = 0, x = 0;
    while (pos < length && x < rowBytes) {
        const uint8_t n = in[pos++];
        if (n < 128) {
            const size_t count = n + 1u;
            if (length - pos < count || rowBytes - x < count) return false;
            std::memcpy(out + x, in + pos, count);
            pos += count;
            x += count;
        } else if (n > 128) {
            const size_t count = 257u - n;
            if (pos >= length || rowBytes - x < count) return false;
            std::memset(out + x, in[pos++], count);
            x += count;
        }
    }
    return x == rowBytes;
}

}  // namespace

Bitmap32 TPSDGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("Photoshop");
    const TFormatInput input(stream, budget, errors);
    const std::vector<uint8_t> head = input.Read(0, HeaderSize);
    const uint8_t* p = head.data();
    if (std::memcmp(p, "8BPS", 4) != 0) errors.Invalid();
    const uint16_t version = Be16(p + 4);
    if (version == 2) errors.NotSupported("Large documents");
    if (version != 1) errors.Invalid();
    const uint16_t channels = Be16(p + 12);
    const uint32_t height = Be32(p + 14), width = Be32(p + 18);
    const uint16_t depth = Be16(p + 22), mode = Be16(p + 24);
    if (channels == 0 || width == 0 || height == 0) errors.Invalid();

    uint16_t needed = 1;
    switch (mode) {
        case Bitmap:
            if (depth != 1) errors.InvalidColor();
            break;
        case Grayscale:
        case Duotone:
        case Multichannel:
        case Indexed:
            break;
        case RGB:
            needed = 3;
            break;
        case CMYK:
            needed = 4;
            break;
        case Lab:
            errors.NotSupported("Lab color");
        default:
            errors.InvalidColor();
    }
    if (mode != Bitmap && depth != 8 && depth != 16)
        errors.NotSupported(std::to_string(depth) + "-bit channels");
    if (mode == Indexed && depth != 8) errors.InvalidColor();
    if (channels < needed)
        throw EInvalidGraphic(
            "Sample count per pixel does not correspond to the given color scheme.");

    // Three sections of stated length precede the pixels: the colour mode data (the palette of
    // indexed pictures), the image resources, and the layers.
    uint64_t offset = HeaderSize;
    const uint32_t modeDataLength = Be32(input.Read(offset, 4).data());
    std::vector<uint8_t> palette;
    if (mode == Indexed) {
        if (modeDataLength < 768) errors.InvalidColor();
        palette = input.Read(offset + 4, 768);
    }
    offset += 4 + uint64_t(modeDataLength);
    for (int section = 0; section < 2; ++section)
        offset += 4 + uint64_t(Be32(input.Read(offset, 4).data()));
    const uint16_t compression = Be16(input.Read(offset, 2).data());
    offset += 2;

    const uint64_t rowBytes = depth == 1 ? (uint64_t(width) + 7) / 8 : uint64_t(width) * depth / 8;
    const uint64_t rows = uint64_t(height) * needed;  // of the channels shown
    const uint64_t decoded = rowBytes * rows;
    std::vector<uint8_t> planes;
    if (compression == Raw) {
        input.AllowImage(width, height, decoded, input.Size() - std::min(input.Size(), offset), 1);
        planes = input.Read(offset, decoded);
    } else if (compression == PackBits) {
        // A byte count per row of every channel, then the rows.
        const uint64_t allRows = uint64_t(height) * channels;
        const std::vector<uint8_t> counts = input.Read(offset, 2 * allRows);
        uint64_t packed = 0;
        for (uint64_t r = 0; r < rows; ++r) packed += Be16(&counts[2 * r]);
        // Two bytes of the file repeat a byte up to 128 times.
        input.AllowImage(width, height, decoded, packed, MaxRunBytesPerByte);
        const std::vector<uint8_t> data = input.Read(offset + counts.size(), packed);
        planes.assign(size_t(decoded), 0);
        size_t pos = 0;
        for (uint64_t r = 0; r < rows; ++r) {
            const size_t length = Be16(&counts[2 * r]);
            if (!UnpackRow(data.data() + pos, length, planes.data() + r * rowBytes, rowBytes))
                errors.Invalid();
            pos += length;
        }
    } else if (compression == Zip || compression == ZipPrediction) {
        errors.NotSupported("ZIP compression");
    } else {
        errors.Invalid();
    }

    Bitmap32 image{int32_t(width), int32_t(height)};
    const uint64_t planeBytes = rowBytes * height;
    // 16-bit samples are big-endian: their first byte is the high one.
    auto sample = [&](int c, uint32_t x, uint32_t y) {
        return planes[c * planeBytes + y * rowBytes + uint64_t(x) * (depth / 8)];
    };
    for (uint32_t y = 0; y < height; ++y) {
        Pixel* out = image.Scanline(int32_t(y));
        for (uint32_t x = 0; x < width; ++x) {
            switch (mode) {
                case Bitmap:  // 1 is black
                    out[x] = (planes[y * rowBytes + x / 8] >> (7 - x % 8) & 1) ? 0 : 0xFFFFFF;
                    break;
                case Indexed: {
                    const uint8_t i = sample(0, x, y);
                    out[x] = MakePixel(palette[i], palette[256 + i], palette[512 + i]);
                    break;
                }
                case RGB:
                    out[x] = MakePixel(sample(0, x, y), sample(1, x, y), sample(2, x, y));
                    break;
                case CMYK: {
                    // Stored inverted: 255 is no ink.
                    const uint32_t k = sample(3, x, y);
                    auto ink = [&](int c) { return uint8_t(sample(c, x, y) * k / 255); };
                    out[x] = MakePixel(ink(0), ink(1), ink(2));
                    break;
                }
                default: {
                    const uint8_t g = sample(0, x, y);
                    out[x] = MakePixel(g, g, g);
                }
            }
        }
    }
    return image;
}

void RegisterPSDFormats(TFileFormatList& list) {
    const TGraphicClass* psd = GraphicClassOf<TPSDGraphic>();
    list.RegisterFileFormat("psd", "Photoshop images", "", ftRaster | ftLayered, false, psd);
    list.RegisterFileFormat("pdd", "Photoshop images", "", ftRaster | ftLayered, false, psd);
}

}  // namespace corvane
