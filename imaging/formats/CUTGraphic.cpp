#include "imaging/formats/CUTGraphic.h"

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include "imaging/FileStream.h"
#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

#pragma pack(push, 1)
struct CutHeader {
    uint16_t Width;
    uint16_t Height;
    uint16_t Reserved;
};
struct HaloPaletteHeader {
    char FileId[2];  // "AH"
    uint16_t Version;
    uint16_t Size;
    uint8_t FileType;
    uint8_t SubType;
    uint16_t BoardId;
    uint16_t GraphicsMode;
    uint16_t MaxIndex;
    uint16_t MaxRed;
    uint16_t MaxGreen;
    uint16_t MaxBlue;
    char PaletteId[20];  // "Dr. Halo"
};
#pragma pack(pop)
static_assert(sizeof(CutHeader) == 6);
static_assert(sizeof(HaloPaletteHeader) == 40);

// Palette files are a few 512-byte blocks; entries never straddle a block boundary.
constexpr uint64_t PaletteBlock = 512;
constexpr uint64_t MaxPaletteBytes = 16 * PaletteBlock;

using Palette = std::array<Pixel, 256>;

std::optional<Palette> ReadHaloPalette(const std::string& fileName, TPictureBudget& budget) {
    try {
        TFileStream stream(fileName);
        const std::vector<uint8_t> data = budget.ReadUpTo(stream, 0, MaxPaletteBytes);
        HaloPaletteHeader h{};
        if (!ReadStruct(data, 0, h) || h.FileId[0] != 'A' || h.FileId[1] != 'H') return {};
        if (h.MaxRed == 0 || h.MaxGreen == 0 || h.MaxBlue == 0) return {};
        Palette palette{};
        uint64_t pos = sizeof h;
        for (uint32_t i = 0; i <= h.MaxIndex && i < palette.size(); ++i) {
            if (pos % PaletteBlock + 6 > PaletteBlock) pos += PaletteBlock - pos % PaletteBlock;
            if (!InRange(data, pos, 6)) return {};
            const uint8_t* e = data.data() + pos;
            palette[i] =
                MakePixel(ScaleToByte(Le16(e), h.MaxRed), ScaleToByte(Le16(e + 2), h.MaxGreen),
                          ScaleToByte(Le16(e + 4), h.MaxBlue));
            pos += 6;
        }
        return palette;
    } catch (const std::exception&) {
        return {};  // no palette or an unreadable one: the picture shows in grey
    }
}

std::string FindPaletteFile(const std::string& fileName) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const char* extension : {".pal", ".PAL", ".Pal"}) {
        const fs::path candidate = fs::path(fileName).replace_extension(extension);
        if (fs::is_regular_file(candidate, ec)) return candidate.string();
    }
    return {};
}

}  // namespace

void TCUTGraphic::LoadFromFile(const std::string& fileName) {
    FPaletteFile = FindPaletteFile(fileName);
    try {
        TRasterGraphic::LoadFromFile(fileName);
    } catch (...) {
        FPaletteFile.clear();
        throw;
    }
    FPaletteFile.clear();
}

Bitmap32 TCUTGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("Dr. Halo");
    const TFormatInput input(stream, budget, errors);
    CutHeader h{};
    ReadStruct(input.Read(0, sizeof h), 0, h);
    const uint64_t pixels = uint64_t(h.Width) * h.Height;
    // Each line has a two-byte length; a run of up to 127 pixels takes two bytes.
    input.AllowImage(h.Width, h.Height, pixels + 2 * uint64_t(h.Height) * 64,
                     input.Size() - sizeof h, MaxRunBytesPerByte);
    const std::vector<uint8_t> data =
        input.ReadUpTo(sizeof h, 2 * uint64_t(h.Height) + 2 * pixels + uint64_t(h.Height));

    Palette palette{};
    const std::optional<Palette> halo =
        FPaletteFile.empty() ? std::nullopt : ReadHaloPalette(FPaletteFile, budget);
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = halo ? (*halo)[i] : MakePixel(uint8_t(i), uint8_t(i), uint8_t(i));

    Bitmap32 image(h.Width, h.Height);
    size_t pos = 0;
    for (int32_t y = 0; y < h.Height; ++y) {
        if (!InRange(data, pos, 2)) errors.ReadError();
        const size_t length = Le16(&data[pos]);
        pos += 2;
        if (!InRange(data, pos, length)) errors.ReadError();
        const size_t end = pos + length;
        Pixel* out = image.Scanline(y);
        int32_t x = 0;
        while (pos < end) {
            const uint8_t code = data[pos++];
            const int count = code & 0x7F;
            if (count == 0) break;  // end of the line
            if (code & 0x80) {
                if (pos >= end) errors.ReadError();
                const Pixel p = palette[data[pos++]];
                for (int i = 0; i < count && x < h.Width; ++i) out[x++] = p;
            } else {
                if (end - pos < size_t(count)) errors.ReadError();
                for (int i = 0; i < count; ++i, ++pos)
                    if (x < h.Width) out[x++] = palette[data[pos]];
            }
        }
        pos = end;
    }
    return image;
}

void RegisterCUTFormats(TFileFormatList& list) {
    list.RegisterFileFormat("cut", "Dr. Halo images", "", ftRaster, false,
                            GraphicClassOf<TCUTGraphic>());
}

}  // namespace corvane
