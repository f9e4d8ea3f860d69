#include "imaging/formats/PCXGraphic.h"

#include <array>
#include <vector>

#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

#pragma pack(push, 1)
struct PcxHeader {
    uint8_t Manufacturer;  // 10
    uint8_t Version;
    uint8_t Encoding;  // 1: run-length encoded
    uint8_t BitsPerPixel;
    uint16_t XMin, YMin, XMax, YMax;
    uint16_t HDpi, VDpi;
    uint8_t ColorMap[48];
    uint8_t Reserved;
    uint8_t Planes;
    uint16_t BytesPerLine;  // per plane
    uint16_t PaletteInfo;
    uint16_t HScreenSize, VScreenSize;
    uint8_t Filler[54];
};
#pragma pack(pop)
static_assert(sizeof(PcxHeader) == 128);

// The colours of version 3 files, which carry no palette of their own.
constexpr std::array<Pixel, 16> EgaColours = {
    0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
    0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF,
};

constexpr size_t VgaPaletteSize = 1 + 768;  // a marker byte 12, then 256 colours

}  // namespace

Bitmap32 TPCXGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("PCX");
    const TFormatInput input(stream, budget, errors);
    PcxHeader h{};
    ReadStruct(input.Read(0, sizeof h), 0, h);
    if (h.Manufacturer != 10 || h.Encoding > 1 || h.XMax < h.XMin || h.YMax < h.YMin)
        errors.Invalid();
    const int32_t width = h.XMax - h.XMin + 1, height = h.YMax - h.YMin + 1;
    const int bits = h.BitsPerPixel, planes = h.Planes;
    const bool planarBits = bits == 1 && planes >= 1 && planes <= 4;
    const bool packed = (bits == 2 || bits == 4 || bits == 8) && planes == 1;
    const bool trueColour = bits == 8 && (planes == 3 || planes == 4);
    if (!planarBits && !packed && !trueColour) errors.InvalidColor();
    if (h.BytesPerLine < (uint64_t(width) * bits + 7) / 8) errors.Invalid();

    const uint64_t lineBytes = uint64_t(planes) * h.BytesPerLine;
    const uint64_t decoded = lineBytes * uint64_t(height);
    const uint64_t available = input.Size() - sizeof h;
    // A run of up to 63 bytes takes two bytes of the file.
    input.AllowImage(width, height, decoded, available, h.Encoding ? MaxRunBytesPerByte : 1);
    const std::vector<uint8_t> data = input.ReadUpTo(sizeof h, h.Encoding ? 2 * decoded : decoded);

    // Runs may cross from one line into the next, so the whole picture is unpacked at once.
    std::vector<uint8_t> lines(decoded);
    size_t pos = 0;
    if (!h.Encoding) {
        if (data.size() < decoded) errors.ReadError();
        std::copy(data.begin(), data.begin() + ptrdiff_t(decoded), lines.begin());
    } else {
        for (uint64_t out = 0; out < decoded;) {
            if (pos >= data.size()) errors.ReadError();
            uint8_t value = data[pos++];
            uint64_t count = 1;
            if (value >= 0xC0) {
                count = value & 0x3F;
                if (pos >= data.size()) errors.ReadError();
                value = data[pos++];
            }
            for (; count > 0 && out < decoded; --count) lines[out++] = value;
        }
    }

    std::array<Pixel, 256> palette{};
    const int colours = bits * planes;
    if (colours == 1) {
        palette[0] = 0x000000;
        palette[1] = 0xFFFFFF;
    } else if (colours <= 4) {
        for (size_t i = 0; i < 16; ++i)
            palette[i] = h.Version == 3 ? EgaColours[i]
                                        : MakePixel(h.ColorMap[3 * i], h.ColorMap[3 * i + 1],
                                                    h.ColorMap[3 * i + 2]);
    } else if (colours == 8) {
        // The 256 colours close the file after a marker byte; without them the indices are grey.
        std::vector<uint8_t> tail;
        if (input.Size() >= sizeof h + VgaPaletteSize)
            tail = input.Read(input.Size() - VgaPaletteSize, VgaPaletteSize);
        const bool vga = !tail.empty() && tail[0] == 12;
        for (size_t i = 0; i < 256; ++i)
            palette[i] = vga ? MakePixel(tail[1 + 3 * i], tail[2 + 3 * i], tail[3 + 3 * i])
                             : MakePixel(uint8_t(i), uint8_t(i), uint8_t(i));
    }

    Bitmap32 image(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* line = lines.data() + size_t(lineBytes) * size_t(y);
        Pixel* out = image.Scanline(y);
        const uint8_t* plane[4] = {line, line + h.BytesPerLine, line + 2 * h.BytesPerLine,
                                   line + 3 * h.BytesPerLine};
        for (int32_t x = 0; x < width; ++x) {
            if (trueColour) {
                out[x] = MakePixel(plane[0][x], plane[1][x], plane[2][x]);
            } else if (planarBits) {
                int index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= (plane[p][x >> 3] >> (7 - (x & 7)) & 1) << p;
                out[x] = palette[index];
            } else {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                out[x] = palette[line[x / perByte] >> shift & ((1 << bits) - 1)];
            }
        }
    }
    return image;
}

void RegisterPCXFormats(TFileFormatList& list) {
    const TGraphicClass* pcx = GraphicClassOf<TPCXGraphic>();
    list.RegisterFileFormat("pcx", "ZSoft Paintbrush images", "", ftRaster, false, pcx);
    list.RegisterFileFormat("pcc", "", "ZSoft Paintbrush images", ftRaster, false, pcx);
    list.RegisterFileFormat("scr", "", "Word 5.x screen capture images", ftRaster, false, pcx);
}

}  // namespace corvane
