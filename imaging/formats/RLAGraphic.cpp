#include "imaging/formats/RLAGraphic.h"

#include <algorithm>
#include <vector>

#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

// The header's fields that matter here, big-endian, at their offsets.
constexpr uint64_t HeaderSize = 740;
constexpr size_t ActiveWindowAt = 8;  // left, right, bottom, top
constexpr size_t NumChannelsAt = 20;
constexpr size_t NumMattesAt = 22;
constexpr size_t ChannelBitsAt = 658;

// A channel's row: a byte count, then runs: a count c below 128 repeats the next byte c + 1
// times, a larger one (as a negative number) introduces 256 - c literal bytes.
void DecodeChannelRow(const uint8_t* in, size_t length, uint8_t* out, size_t width,
                      const TFormatErrors& errors) {
    size_t pos = 0, x = 0;
    while (pos < length && x < width) {
        const int count = int8_t(in[pos++]);
        if (count >= 0) {
            if (pos >= length) errors.ReadError();
            const uint8_t value = in[pos++];
            for (int i = 0; i <= count && x < width; ++i) out[x++] = value;
        } else {
            const size_t literal = size_t(-count);
            if (length - pos < literal) errors.ReadError();
            for (size_t i = 0; i < literal && x < width; ++i) out[x++] = in[pos + i];
            pos += literal;
        }
    }
}

}  // namespace

Bitmap32 TRLAGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("Alias/Wavefront");
    const TFormatInput input(stream, budget, errors);
    const std::vector<uint8_t> head = input.Read(0, HeaderSize);
    const uint8_t* p = head.data();
    const int32_t left = int16_t(Be16(p + ActiveWindowAt)),
                  right = int16_t(Be16(p + ActiveWindowAt + 2));
    const int32_t bottom = int16_t(Be16(p + ActiveWindowAt + 4)),
                  top = int16_t(Be16(p + ActiveWindowAt + 6));
    const int channels = int16_t(Be16(p + NumChannelsAt));
    const int mattes = int16_t(Be16(p + NumMattesAt));
    const int bits = int16_t(Be16(p + ChannelBitsAt));
    if (right < left || top < bottom || channels < 1 || channels > 4 || mattes < 0)
        errors.Invalid();
    if (bits != 8 && bits != 0) errors.NotSupported(std::to_string(bits) + "-bit channels");
    const int32_t width = right - left + 1, height = top - bottom + 1;
    const int used = channels >= 3 ? 3 : 1;

    // The rows' offsets follow the header, the bottom row first.
    const std::vector<uint8_t> table = input.Read(HeaderSize, 4 * uint64_t(height));
    const uint64_t decoded = uint64_t(width) * height * used;
    // Each channel row takes a count of two bytes and at least two bytes per 128 pixels.
    input.AllowImage(width, height, decoded, input.Size() - HeaderSize - table.size(),
                     MaxRunBytesPerByte);

    std::vector<uint8_t> planes(size_t(decoded), 0);
    const size_t rowBytes = size_t(width);
    for (int32_t row = 0; row < height; ++row) {
        uint64_t offset = Be32(&table[4 * size_t(row)]);
        for (int c = 0; c < used; ++c) {
            const std::vector<uint8_t> count = input.Read(offset, 2);
            const uint16_t length = Be16(count.data());
            // Two bytes per pixel (and one literal run) is the most a row can use; rows may share
            // data.
            const std::vector<uint8_t> runs =
                input.Read(offset + 2, std::min<uint64_t>(length, 2 * rowBytes + 130));
            uint8_t* out = planes.data() + (size_t(c) * size_t(height) + size_t(row)) * rowBytes;
            DecodeChannelRow(runs.data(), runs.size(), out, rowBytes, errors);
            offset += 2 + length;
        }
    }

    Bitmap32 image(width, height);
    for (int32_t row = 0; row < height; ++row) {
        Pixel* out = image.Scanline(height - 1 - row);
        auto plane = [&](int c) { return planes.data() + (size_t(c) * height + row) * rowBytes; };
        const uint8_t *r = plane(0), *g = plane(used == 3 ? 1 : 0), *b = plane(used == 3 ? 2 : 0);
        for (int32_t x = 0; x < width; ++x) out[x] = MakePixel(r[x], g[x], b[x]);
    }
    return image;
}

void RegisterRLAFormats(TFileFormatList& list) {
    const TGraphicClass* rla = GraphicClassOf<TRLAGraphic>();
    list.RegisterFileFormat("rpf", "Alias/Wavefront images", "", ftRaster, false, rla);
    list.RegisterFileFormat("rla", "Alias/Wavefront images", "", ftRaster, false, rla);
}

}  // namespace corvane
