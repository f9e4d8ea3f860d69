#include "imaging/formats/PPMGraphic.h"

#include <cctype>
#include <vector>

#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

// The header is a few numbers with comments between them; anything longer is not a portable map.
constexpr uint64_t MaxHeaderBytes = 4096;
// Text samples are numbers separated by white space; this much room per sample is plenty.
constexpr uint64_t MaxTextBytesPerSample = 24;

class TextScanner {
  public:
    TextScanner(const std::vector<uint8_t>& data, size_t pos, const TFormatErrors& errors)
        : FData(data), FPos(pos), FErrors(errors) {}

    size_t Position() const { return FPos; }

    // Skips white space and comments (from # to the end of the line).
    void SkipSpace() {
        while (FPos < FData.size()) {
            if (FData[FPos] == '#') {
                while (FPos < FData.size() && FData[FPos] != '\n' && FData[FPos] != '\r') ++FPos;
            } else if (std::isspace(FData[FPos])) {
                ++FPos;
            } else {
                return;
            }
        }
    }

    // A decimal number; digits limits its length (1 for the digits of a text bit map).
    uint32_t Number(int digits = 10) {
        SkipSpace();
        if (FPos >= FData.size()) FErrors.ReadError();
        if (!std::isdigit(FData[FPos])) FErrors.Invalid();
        uint64_t value = 0;
        for (int n = 0; n < digits && FPos < FData.size() && std::isdigit(FData[FPos]); ++n) {
            value = value * 10 + (FData[FPos++] - '0');
            if (value > UINT32_MAX) FErrors.Invalid();
        }
        return uint32_t(value);
    }

  private:
    const std::vector<uint8_t>& FData;
    size_t FPos;
    const TFormatErrors& FErrors;
};

}  // namespace

Bitmap32 TPPMGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("portable map");
    const TFormatInput input(stream, budget, errors);
    const std::vector<uint8_t> head = input.ReadUpTo(0, MaxHeaderBytes);
    if (head.size() < 2 || head[0] != 'P' || head[1] < '1' || head[1] > '6') errors.Invalid();
    const int kind = head[1] - '0';
    const bool bits = kind == 1 || kind == 4, colour = kind == 3 || kind == 6;
    const bool text = kind <= 3;

    TextScanner header(head, 2, errors);
    const uint32_t width = header.Number(), height = header.Number();
    const uint32_t maxValue = bits ? 1 : header.Number();
    if (maxValue == 0 || maxValue > 65535) errors.Invalid();
    // One white-space character separates the header from binary samples.
    size_t start = header.Position();
    if (!text) {
        if (start >= head.size()) errors.ReadError();
        if (!std::isspace(head[start])) errors.Invalid();
        ++start;
    }

    const uint32_t channels = colour ? 3 : 1;
    const uint64_t samples = uint64_t(width) * height * channels;
    const uint64_t sampleBytes = maxValue > 255 ? 2 : 1;
    const uint64_t rowBytes =
        kind == 4 ? (uint64_t(width) + 7) / 8 : width * channels * sampleBytes;
    const uint64_t available = input.Size() - start;
    // Binary samples must all be there; a text sample takes at least one digit (and the samples
    // of grey and pixel maps a separator as well).
    const uint64_t needed = text ? (kind == 1 ? samples : 2 * samples - 1) : rowBytes * height;
    input.AllowImage(width, height, needed, available, 1);
    const std::vector<uint8_t> data =
        input.ReadUpTo(start, text ? samples * MaxTextBytesPerSample : needed);

    Bitmap32 image{int32_t(width), int32_t(height)};
    auto scale = [&](uint32_t v) { return ScaleToByte(v, maxValue); };
    if (text) {
        TextScanner scanner(data, 0, errors);
        for (uint32_t y = 0; y < height; ++y) {
            Pixel* out = image.Scanline(int32_t(y));
            for (uint32_t x = 0; x < width; ++x) {
                if (kind == 1) {
                    const uint32_t v = scanner.Number(1);
                    if (v > 1) errors.Invalid();
                    out[x] = v ? 0x000000 : 0xFFFFFF;  // 1 is black
                } else if (kind == 2) {
                    const uint8_t g = scale(scanner.Number());
                    out[x] = MakePixel(g, g, g);
                } else {
                    const uint8_t r = scale(scanner.Number()), g = scale(scanner.Number());
                    out[x] = MakePixel(r, g, scale(scanner.Number()));
                }
            }
        }
        return image;
    }
    if (data.size() < needed) errors.ReadError();
    auto sample = [&](const uint8_t* p) -> uint8_t {
        return scale(sampleBytes == 2 ? Be16(p) : *p);
    };
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* in = data.data() + y * rowBytes;
        Pixel* out = image.Scanline(int32_t(y));
        for (uint32_t x = 0; x < width; ++x) {
            if (kind == 4) {
                out[x] = (in[x >> 3] >> (7 - (x & 7)) & 1) ? 0x000000 : 0xFFFFFF;
            } else if (kind == 5) {
                const uint8_t g = sample(in + x * sampleBytes);
                out[x] = MakePixel(g, g, g);
            } else {
                const uint8_t* p = in + 3 * x * sampleBytes;
                out[x] = MakePixel(sample(p), sample(p + sampleBytes), sample(p + 2 * sampleBytes));
            }
        }
    }
    return image;
}

void RegisterPPMFormats(TFileFormatList& list) {
    const TGraphicClass* ppm = GraphicClassOf<TPPMGraphic>();
    list.RegisterFileFormat("ppm", "Portable map images", "Portable pixel map images", ftRaster,
                            false, ppm);
    list.RegisterFileFormat("pgm", "", "Portable gray map images", ftRaster, false, ppm);
    list.RegisterFileFormat("pbm", "", "Portable bitmap images", ftRaster, false, ppm);
}

}  // namespace corvane
