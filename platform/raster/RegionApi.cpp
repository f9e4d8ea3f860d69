#include "platform/raster/RegionApi.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/raster/ScanConvert.h"

namespace corvane {

Region CreateRectRgn(int32_t l, int32_t t, int32_t r, int32_t b) {
    return Region(TRect{l, t, r, b});
}

Region CreateRoundRectRgn(int32_t l, int32_t t, int32_t r, int32_t b, int32_t ew, int32_t eh) {
    return ScanRoundRect(TRect{l, t, r, b}, std::abs(int64_t(ew)), std::abs(int64_t(eh)));
}

Region CreateEllipticRgn(int32_t l, int32_t t, int32_t r, int32_t b) {
    TRect rect{l, t, r, b};
    return ScanRoundRect(rect, rect.Width(), rect.Height());
}

Region CreatePolygonRgn(std::span<const TPoint> points, int fillMode) {
    return ScanPolygon(points, fillMode == WINDING);
}

namespace {
uint32_t ReadWord(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
}  // namespace

Region ExtCreateRegion(const void* data, size_t size) {
    constexpr size_t kHeader = 32, kRect = 16;
    if (data == nullptr || size < kHeader) return Region();
    const auto* bytes = static_cast<const unsigned char*>(data);
    uint32_t headerSize = ReadWord(bytes), kind = ReadWord(bytes + 4), count = ReadWord(bytes + 8);
    if (headerSize != kHeader || kind != 1) return Region();
    if (count > (size - kHeader) / kRect) return Region();
    std::vector<TRect> rects(count);
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* p = bytes + kHeader + i * kRect;
        rects[i] = TRect{int32_t(ReadWord(p)), int32_t(ReadWord(p + 4)), int32_t(ReadWord(p + 8)),
                         int32_t(ReadWord(p + 12))};
    }
    return Region::FromRects(rects);
}

int CombineRgn(Region& dest, const Region& a, const Region& b, int mode) {
    if (mode < RGN_AND || mode > RGN_DIFF) return 0;
    dest = Region::Combine(a, b, Region::Op(mode));
    if (dest.IsEmpty()) return NULLREGION;
    return dest.Bands().size() == 1 && dest.Bands()[0].Count == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace corvane
