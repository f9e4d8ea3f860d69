#include "imaging/formats/SGIGraphic.h"

#include <algorithm>
#include <vector>

#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

constexpr size_t HeaderSize = 512;
constexpr uint16_t Magic = 474;

// Header fields, big-endian, at their offsets.
struct SgiHeader {
    uint8_t Storage;  // 0 verbatim, 1 run-length encoded
    uint8_t BytesPerChannel;
    uint16_t Dimension;
    uint16_t XSize, YSize, ZSize;
    uint32_t ColorMap;  // 0 normal; dithered, screen and colour-map files are not pictures
};

}  // namespace

Bitmap32 TSGIGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("SGI");
    const TFormatInput input(stream, budget, errors);
    const std::vector<uint8_t> head = input.Read(0, HeaderSize);
    const uint8_t* p = head.data();
    if (Be16(p) != Magic) errors.Invalid();
    SgiHeader h{p[2], p[3], Be16(p + 4), Be16(p + 6), Be16(p + 8), Be16(p + 10), Be32(p + 104)};
    if (h.Storage > 1 || (h.BytesPerChannel != 1 && h.BytesPerChannel != 2) || h.Dimension < 1 ||
        h.Dimension > 3)
        errors.Invalid();
    if (h.ColorMap != 0) errors.NotSupported("Color maps");
    const uint32_t width = h.XSize;
    const uint32_t height = h.Dimension == 1 ? 1 : h.YSize;
    const uint32_t channels = h.Dimension < 3 ? 1 : h.ZSize;
    if (channels == 0) errors.Invalid();
    // Grey, grey and alpha, or colour with or without alpha; further channels are not read.
    const uint32_t used = channels >= 3 ? 3 : 1;
    const uint32_t bpc = h.BytesPerChannel;
    const uint64_t rowBytes = uint64_t(width) * bpc;
    const uint64_t decoded = rowBytes * height * used;

    // Rows of every channel that is used, bottom row first, as bytes per channel.
    std::vector<std::vector<uint8_t>> planes(used);
    if (h.Storage == 0) {
        input.AllowImage(width, height, decoded, input.Size() - HeaderSize, 1);
        for (uint32_t c = 0; c < used; ++c)
            planes[c] = input.Read(HeaderSize + uint64_t(c) * height * rowBytes, height * rowBytes);
    } else {
        // Where each row starts and how long it is, for every channel.
        const uint64_t rows = uint64_t(height) * channels;
        const std::vector<uint8_t> tables = input.Read(HeaderSize, rows * 8);
        uint64_t end = 0;
        for (uint64_t r = 0; r < uint64_t(height) * used; ++r)
            end = std::max<uint64_t>(
                end, uint64_t(Be32(&tables[4 * r])) + Be32(&tables[4 * (rows + r)]));
        // A run of up to 127 elements takes one element of count and one of value.
        input.AllowImage(width, height, decoded,
                         std::min(end, input.Size()) - std::min<uint64_t>(end, HeaderSize),
                         MaxRunBytesPerByte);
        if (end > input.Size()) errors.ReadError();
        const std::vector<uint8_t> data = input.Read(0, end);
        for (uint32_t c = 0; c < used; ++c) {
            planes[c].assign(height * rowBytes, 0);
            for (uint32_t y = 0; y < height; ++y) {
                const uint64_t r = uint64_t(c) * height + y;
                const uint32_t start = Be32(&tables[4 * r]);
                const uint32_t length = Be32(&tables[4 * (rows + r)]);
                const uint8_t* in = data.data() + start;
                const uint8_t* inEnd = in + length;
                uint8_t* out = planes[c].data() + y * rowBytes;
                uint64_t x = 0;
                // Elements are bytes or big-endian 16-bit words; a count of 0 ends the row.
                auto element = [&](const uint8_t* at) { return bpc == 1 ? *at : Be16(at); };
                while (inEnd - in >= ptrdiff_t(bpc)) {
                    const uint32_t head = element(in);
                    in += bpc;
                    const uint32_t count = head & 0x7F;
                    if (count == 0) break;
                    if (head & 0x80) {
                        if (inEnd - in < ptrdiff_t(count * bpc)) errors.ReadError();
                        for (uint32_t i = 0; i < count && x < width; ++i, ++x)
                            std::copy_n(in + i * bpc, bpc, out + x * bpc);
                        in += count * bpc;
                    } else {
                        if (inEnd - in < ptrdiff_t(bpc)) errors.ReadError();
                        for (uint32_t i = 0; i < count && x < width; ++i, ++x)
                            std::copy_n(in, bpc, out + x * bpc);
                        in += bpc;
                    }
                }
            }
        }
    }

    Bitmap32 image{int32_t(width), int32_t(height)};
    auto sample = [&](uint32_t c, uint64_t at) { return planes[c][at * bpc]; };  // the high byte
    for (uint32_t y = 0; y < height; ++y) {
        Pixel* out = image.Scanline(int32_t(height - 1 - y));
        for (uint32_t x = 0; x < width; ++x) {
            const uint64_t at = uint64_t(y) * width + x;
            out[x] = used == 3 ? MakePixel(sample(0, at), sample(1, at), sample(2, at))
                               : MakePixel(sample(0, at), sample(0, at), sample(0, at));
        }
    }
    return image;
}

void RegisterSGIFormats(TFileFormatList& list) {
    const TGraphicClass* sgi = GraphicClassOf<TSGIGraphic>();
    list.RegisterFileFormat("sgi", "SGI images", "SGI true color images", ftRaster, false, sgi);
    list.RegisterFileFormat("rgba", "", "SGI true color images with alpha", ftRaster, false, sgi);
    list.RegisterFileFormat("rgb", "", "SGI true color images", ftRaster, false, sgi);
    list.RegisterFileFormat("bw", "", "SGI black/white images", ftRaster, false, sgi);
}

}  // namespace corvane
