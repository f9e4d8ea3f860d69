#include "imaging/Orientation.h"

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {

constexpr uint16_t OrientationTag = 274;
constexpr uint16_t TypeShort = 3;
constexpr uint16_t TypeLong = 4;  // not what the standard says, but some writers use it
constexpr size_t DirectoryEntrySize = 12;

// Reads 16- and 32-bit values in the byte order the data declares.
struct TiffReader {
    Bytes Data;
    bool BigEndian;

    bool U16(uint64_t at, uint16_t& out) const {
        if (!InRange(Data, at, 2)) return false;
        const uint8_t* p = Data.data() + at;
        out = BigEndian ? uint16_t(p[0] << 8 | p[1]) : Le16(p);
        return true;
    }
    bool U32(uint64_t at, uint32_t& out) const {
        if (!InRange(Data, at, 4)) return false;
        const uint8_t* p = Data.data() + at;
        out = BigEndian ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]
                        : Le32(p);
        return true;
    }
};

// The source of the upright picture's pixel (x, y) in the stored picture of w x h:
// sx = X0 + XX * x + XY * y, sy = Y0 + YX * x + YY * y.
struct Mapping {
    int64_t X0, XX, XY, Y0, YX, YY;
};

Mapping MappingOf(int orientation, int64_t w, int64_t h) {
    switch (orientation) {
        case 2:
            return {w - 1, -1, 0, 0, 0, 1};
        case 3:
            return {w - 1, -1, 0, h - 1, 0, -1};
        case 4:
            return {0, 1, 0, h - 1, 0, -1};
        case 5:
            return {0, 0, 1, 0, 1, 0};
        case 6:
            return {0, 0, 1, h - 1, -1, 0};
        case 7:
            return {w - 1, 0, -1, h - 1, -1, 0};
        case 8:
            return {w - 1, 0, -1, 0, 1, 0};
        default:
            return {0, 1, 0, 0, 0, 1};
    }
}

// Fills the upright picture tile by tile, so that a quarter turn reads the stored rows in short
// runs that stay in the cache. srcRow(y) and dstRow(y) give rows counted from the top.
template <typename SrcRow, typename DstRow>
void Turn(int orientation, int32_t storedWidth, int32_t storedHeight, SrcRow srcRow,
          DstRow dstRow) {
    constexpr int32_t Tile = 64;
    const bool swap = SwapsSides(orientation);
    const int32_t width = swap ? storedHeight : storedWidth;
    const int32_t height = swap ? storedWidth : storedHeight;
    const Mapping m = MappingOf(orientation, storedWidth, storedHeight);
    for (int32_t ty = 0; ty < height; ty += Tile)
        for (int32_t tx = 0; tx < width; tx += Tile)
            for (int32_t y = ty; y < std::min(height, ty + Tile); ++y) {
                auto* out = dstRow(y);
                for (int32_t x = tx; x < std::min(width, tx + Tile); ++x) {
                    const int64_t sx = m.X0 + m.XX * x + m.XY * y;
                    const int64_t sy = m.Y0 + m.YX * x + m.YY * y;
                    out[x] = srcRow(int32_t(sy))[sx];
                }
            }
}

bool Turns(int orientation) {
    return orientation >= 2 && orientation <= 8;
}

}  // namespace

int ReadTiffOrientation(Bytes tiff) {
    if (tiff.size() < 8) return OrientationAsStored;
    TiffReader reader{tiff, false};
    if (tiff[0] == 'M' && tiff[1] == 'M')
        reader.BigEndian = true;
    else if (tiff[0] != 'I' || tiff[1] != 'I')
        return OrientationAsStored;
    uint16_t magic = 0, count = 0;
    uint32_t directory = 0;
    if (!reader.U16(2, magic) || magic != 42 || !reader.U32(4, directory) ||
        !reader.U16(directory, count))
        return OrientationAsStored;
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = uint64_t(directory) + 2 + DirectoryEntrySize * i;
        uint16_t tag = 0, type = 0, shortValue = 0;
        uint32_t values = 0, value = 0;
        if (!reader.U16(entry, tag)) break;  // the directory runs past the data
        if (tag != OrientationTag) continue;
        // One value, held in the entry's value field.
        if (!reader.U16(entry + 2, type) || !reader.U32(entry + 4, values) || values != 1)
            return OrientationAsStored;
        if (type == TypeShort && reader.U16(entry + 8, shortValue))
            value = shortValue;
        else if (type != TypeLong || !reader.U32(entry + 8, value))
            return OrientationAsStored;
        return value >= 1 && value <= 8 ? int(value) : OrientationAsStored;
    }
    return OrientationAsStored;
}

int ReadExifOrientation(Bytes exif) {
    // "Exif", a zero byte and a padding byte (zero, or 0xFF from some writers).
    if (exif.size() >= 6 && std::memcmp(exif.data(), "Exif\0", 5) == 0) exif = exif.subspan(6);
    return ReadTiffOrientation(exif);
}

Bitmap32 TurnUpright(Bitmap32 stored, int orientation) {
    if (!Turns(orientation) || stored.Empty()) return stored;
    const bool swap = SwapsSides(orientation);
    Bitmap32 upright(swap ? stored.Height() : stored.Width(),
                     swap ? stored.Width() : stored.Height());
    Turn(
        orientation, stored.Width(), stored.Height(), [&](int32_t y) { return stored.Scanline(y); },
        [&](int32_t y) { return upright.Scanline(y); });
    return upright;
}

std::vector<uint8_t> TurnUprightAlpha(std::vector<uint8_t> alpha, int32_t storedWidth,
                                      int32_t storedHeight, int orientation) {
    if (!Turns(orientation) || alpha.size() != size_t(storedWidth) * size_t(storedHeight))
        return alpha;
    const int32_t width = SwapsSides(orientation) ? storedHeight : storedWidth;
    std::vector<uint8_t> upright(alpha.size());
    Turn(
        orientation, storedWidth, storedHeight,
        [&](int32_t y) { return alpha.data() + size_t(y) * size_t(storedWidth); },
        [&](int32_t y) { return upright.data() + size_t(y) * size_t(width); });
    return upright;
}

}  // namespace corvane
