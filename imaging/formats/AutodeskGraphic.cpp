#include "imaging/formats/AutodeskGraphic.h"

#include <array>
#include <vector>

#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

#pragma pack(push, 1)
struct AutodeskHeader {
    uint16_t Magic;  // 0x9119
    uint16_t Width;
    uint16_t Height;
    uint16_t XOffset;
    uint16_t YOffset;
    uint8_t BitsPerPixel;  // 8
    uint8_t Compression;   // 0
    uint32_t ImageSize;    // width x height
    uint8_t Reserved[16];
};
#pragma pack(pop)
static_assert(sizeof(AutodeskHeader) == 32);

constexpr uint16_t Magic = 0x9119;
constexpr size_t PaletteSize = 768;

}  // namespace

Bitmap32 TAutodeskGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("Autodesk");
    const TFormatInput input(stream, budget, errors);
    AutodeskHeader h{};
    ReadStruct(input.Read(0, sizeof h), 0, h);
    if (h.Magic != Magic) errors.Invalid();
    if (h.BitsPerPixel != 8) errors.InvalidColor();
    if (h.Compression != 0) errors.NotSupported("Compression");
    const uint64_t pixels = uint64_t(h.Width) * h.Height;
    input.AllowImage(h.Width, h.Height, PaletteSize + pixels, input.Size() - sizeof h, 1);
    const std::vector<uint8_t> data = input.Read(sizeof h, PaletteSize + pixels);

    std::array<Pixel, 256> palette{};
    for (size_t i = 0; i < 256; ++i) {
        // Values run from 0 to 63; larger ones are out of range and taken as full intensity.
        auto widen = [](uint8_t v) { return ScaleToByte(v, 63); };
        palette[i] = MakePixel(widen(data[3 * i]), widen(data[3 * i + 1]), widen(data[3 * i + 2]));
    }
    Bitmap32 image(h.Width, h.Height);
    const uint8_t* in = data.data() + PaletteSize;
    for (int32_t y = 0; y < h.Height; ++y) {
        Pixel* out = image.Scanline(y);
        for (int32_t x = 0; x < h.Width; ++x) out[x] = palette[*in++];
    }
    return image;
}

void RegisterAutodeskFormats(TFileFormatList& list) {
    const TGraphicClass* autodesk = GraphicClassOf<TAutodeskGraphic>();
    list.RegisterFileFormat("cel", "Autodesk images", "", ftRaster, false, autodesk);
    list.RegisterFileFormat("pic", "Autodesk images", "", ftRaster, false, autodesk);
}

}  // namespace corvane
