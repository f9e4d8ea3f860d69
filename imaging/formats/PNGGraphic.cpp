#include "imaging/formats/PNGGraphic.h"

#include <cstring>

#include "imaging/Orientation.h"
#include "imaging/PngCodec.h"

namespace corvane {

namespace {
uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
}  // namespace

int PngExifOrientation(Bytes png) {
    // The chunks after the signature: length, type, data, CRC.
    for (uint64_t at = 8; InRange(png, at, 12);) {
        const uint64_t length = Be32(png.data() + at);
        const uint8_t* type = png.data() + at + 4;
        if (!InRange(png, at + 8, length) || std::memcmp(type, "IEND", 4) == 0) break;
        if (std::memcmp(type, "eXIf", 4) == 0)
            return ReadExifOrientation(png.subspan(at + 8, length));
        at += 12 + length;
    }
    return OrientationAsStored;
}

TDecodedPicture TPNGGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    // libpng needs every image data chunk; nothing else of the file is large.
    const std::vector<uint8_t> data = budget.ReadWhole(stream);
    PngImage png = DecodePng(data, "PNG image is not valid", budget, true);
    return TDecodedPicture{std::move(png.Image), std::move(png.Alpha), PngExifOrientation(data)};
}

}  // namespace corvane
