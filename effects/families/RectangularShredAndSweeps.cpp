#include "effects/families/RectangularShredAndSweeps.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "effects/ComplexRegion.h"
#include "effects/PolygonRegions.h"
#include "effects/Reveal.h"
#include "platform/MulDiv.h"

namespace corvane::sweeps {

namespace {

// The smallest integer not below the square root of n (n >= 0).
int32_t CeilSqrt(int64_t n) {
    int64_t r = int64_t(std::sqrt(static_cast<long double>(n)));
    while (r * r > n) --r;
    while (r * r < n) ++r;
    return int32_t(r);
}

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kTwelveOClock = -kPi / 2;

// The sector of a circle through the frame's corners from twelve o'clock toward EndAngle, with
// one arc vertex per percent of progress, so that the arc ends one 3.6-degree step short of it.
void RevealSweep(Bitmap32& Screen, const Bitmap32& Picture, int32_t W, int32_t H, int32_t Progress,
                 long double EndAngle) {
    const int32_t cx = W / 2, cy = H / 2;
    const int32_t R = CeilSqrt(int64_t(cx) * cx + int64_t(cy) * cy);
    Reveal(Screen, Picture, W, H, SectorRegion(cx, cy, R, kTwelveOClock, EndAngle, Progress));
}

}  // namespace

CORVANE_EFFECT(RectangularShred) {
    // A square lattice whose pitch comes from the shorter side.
    const int32_t m = std::min(W, H) / 10 + 1, d = MulDiv(m, Progress, 100);
    TComplexRegion squares;
    for (int32_t i = 0; 2 * i * m < W; ++i) {
        const int32_t u = (2 * i + 1) * m;
        for (int32_t j = 0; 2 * j * m < H; ++j) {
            const int32_t v = (2 * j + 1) * m;
            squares.AddRect(u - d, v - d, u + d, v + d);
        }
    }
    if (auto region = squares.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

CORVANE_EFFECT(SweepClockwise) {
    RevealSweep(Screen, Picture, W, H, Progress, kTwelveOClock + Progress * kPi / 50);
}

CORVANE_EFFECT(SweepAnticlockwise) {
    RevealSweep(Screen, Picture, W, H, Progress, kTwelveOClock - Progress * kPi / 50);
}

}  // namespace corvane::sweeps
