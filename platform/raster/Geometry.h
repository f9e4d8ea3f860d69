#pragma once
// Pixel geometry: x grows to the right, y downward. A rectangle (Left, Top, Right, Bottom)
// covers Left <= x < Right and Top <= y < Bottom; one whose Right is not greater than its Left,
// or whose Bottom is not greater than its Top, covers nothing.

#include <algorithm>
#include <cstdint>

namespace corvane {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    int64_t Width() const { return int64_t(Right) - Left; }
    int64_t Height() const { return int64_t(Bottom) - Top; }
    bool Contains(int32_t x, int32_t y) const {
        return x >= Left && x < Right && y >= Top && y < Bottom;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) return TRect{};
    return r;
}

// Clamps a 64-bit coordinate into the 32-bit range the regions and bitmaps use.
inline int32_t ClampCoord(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace corvane
