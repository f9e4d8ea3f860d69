#include "imaging/formats/TargaGraphic.h"

#include <vector>

#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

#pragma pack(push, 1)
struct TargaHeader {
    uint8_t IdLength;
    uint8_t ColorMapType;
    uint8_t ImageType;
    uint16_t MapStart;
    uint16_t MapLength;
    uint8_t MapDepth;
    uint16_t XOrigin;
    uint16_t YOrigin;
    uint16_t Width;
    uint16_t Height;
    uint8_t PixelDepth;
    uint8_t Descriptor;
};
#pragma pack(pop)
static_assert(sizeof(TargaHeader) == 18);

enum ImageKind { Mapped = 1, TrueColour = 2, Grey = 3 };
constexpr uint8_t RunLengthBit = 8;
constexpr uint8_t RightToLeftBit = 0x10, TopToBottomBit = 0x20;

Pixel From555(uint16_t v) {
    auto widen = [](uint32_t c) { return uint8_t(c << 3 | c >> 2); };
    return MakePixel(widen(v >> 10 & 31), widen(v >> 5 & 31), widen(v & 31));
}

// A colour as stored in the pixel data or the colour map, by its depth in bits.
Pixel TrueColourPixel(const uint8_t* p, int depth) {
    if (depth <= 16) return From555(Le16(p));
    return MakePixel(p[2], p[1], p[0]);
}

}  // namespace

Bitmap32 TTargaGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("Targa");
    const TFormatInput input(stream, budget, errors);
    TargaHeader h{};
    const std::vector<uint8_t> head = input.Read(0, sizeof h);
    ReadStruct(head, 0, h);

    const int kind = h.ImageType & 7;
    const bool rle = h.ImageType & RunLengthBit;
    if ((h.ImageType & ~(7 | RunLengthBit)) != 0 || kind < Mapped || kind > Grey) errors.Invalid();
    if (h.ColorMapType > 1 || h.Width == 0 || h.Height == 0) errors.Invalid();
    switch (kind) {
        case Mapped:
            if (h.ColorMapType != 1 || (h.PixelDepth != 8 && h.PixelDepth != 16))
                errors.InvalidColor();
            break;
        case TrueColour:
            if (h.PixelDepth != 15 && h.PixelDepth != 16 && h.PixelDepth != 24 &&
                h.PixelDepth != 32)
                errors.InvalidColor();
            break;
        case Grey:
            if (h.PixelDepth != 8 && h.PixelDepth != 16) errors.InvalidColor();
            break;
    }
    const int mapBytes = (h.MapDepth + 7) / 8;
    if (h.ColorMapType == 1 && h.MapDepth != 15 && h.MapDepth != 16 && h.MapDepth != 24 &&
        h.MapDepth != 32)
        errors.InvalidColor();

    // The colour map follows the picture's identification text.
    std::vector<Pixel> map;
    uint64_t offset = sizeof h + h.IdLength;
    if (h.ColorMapType == 1) {
        const std::vector<uint8_t> entries = input.Read(offset, uint64_t(h.MapLength) * mapBytes);
        offset += entries.size();
        if (kind == Mapped) {
            map.resize(h.MapLength);
            for (size_t i = 0; i < map.size(); ++i)
                map[i] = TrueColourPixel(entries.data() + i * mapBytes, h.MapDepth);
        }
    }

    const int pixelBytes = (h.PixelDepth + 7) / 8;
    auto toPixel = [&](const uint8_t* p) -> Pixel {
        switch (kind) {
            case Mapped: {
                const uint32_t index = pixelBytes == 1 ? p[0] : Le16(p);
                // Indices before the map's first entry or past its end are black.
                return index >= h.MapStart && index - h.MapStart < map.size()
                           ? map[index - h.MapStart]
                           : 0;
            }
            case TrueColour:
                return TrueColourPixel(p, h.PixelDepth);
            default:
                return MakePixel(p[0], p[0], p[0]);  // a second byte is alpha
        }
    };

    const uint64_t count = uint64_t(h.Width) * h.Height;
    // Raw data needs every pixel; a run-length packet of up to 128 pixels takes at least one
    // header byte and one pixel.
    const uint64_t available = input.Size() > offset ? input.Size() - offset : 0;
    input.AllowImage(h.Width, h.Height, count * pixelBytes, available,
                     rle ? MaxTargaRunBytesPerByte : 1);
    const std::vector<uint8_t> data =
        input.ReadUpTo(offset, rle ? count * (1 + pixelBytes) : count * pixelBytes);

    Bitmap32 image(h.Width, h.Height);
    const bool topDown = h.Descriptor & TopToBottomBit;
    const bool rightToLeft = h.Descriptor & RightToLeftBit;
    uint64_t index = 0;
    auto put = [&](Pixel p) {
        const uint32_t row = uint32_t(index / h.Width), column = uint32_t(index % h.Width);
        image.SetPixel(rightToLeft ? h.Width - 1 - column : column,
                       topDown ? row : h.Height - 1 - row, p);
        ++index;
    };
    size_t pos = 0;
    if (!rle) {
        if (data.size() < count * pixelBytes) errors.ReadError();
        while (index < count) {
            put(toPixel(data.data() + pos));
            pos += pixelBytes;
        }
        return image;
    }
    // Packets may run on from one row into the next; one past the picture's end is cut off.
    while (index < count) {
        if (pos >= data.size()) errors.ReadError();
        const uint8_t packet = data[pos++];
        const uint64_t length = std::min<uint64_t>((packet & 0x7F) + 1u, count - index);
        if (packet & 0x80) {
            if (data.size() - pos < size_t(pixelBytes)) errors.ReadError();
            const Pixel p = toPixel(data.data() + pos);
            pos += pixelBytes;
            for (uint64_t i = 0; i < length; ++i) put(p);
        } else {
            if ((data.size() - pos) / pixelBytes < length) errors.ReadError();
            for (uint64_t i = 0; i < length; ++i, pos += pixelBytes)
                put(toPixel(data.data() + pos));
        }
    }
    return image;
}

void RegisterTargaFormats(TFileFormatList& list) {
    const TGraphicClass* targa = GraphicClassOf<TTargaGraphic>();
    for (const char* extension : {"win", "vst", "vda", "tga", "icb"})
        list.RegisterFileFormat(extension, "Truevision images", "", ftRaster, false, targa);
}

}  // namespace corvane
