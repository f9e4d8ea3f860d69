#include "effects/families/Bars.h"

#include "effects/Reveal.h"
#include "effects/StripRegions.h"
#include "platform/raster/RegionApi.h"

// Each routine reveals the bars of one frame. The bar modes: 1 from the right (bottom), 2 from
// the left (top), 3 alternate bars from both sides together, 4 left (top) then right (bottom),
// 5 right (bottom) then left (top). Modes 1, 2, 4 and 5 fill the even bars first and the odd
// bars second, so they are given twice the extent; mode 3 fills all bars over the plain extent.

namespace corvane::bars {

namespace {

// Reveals the bars of the given extents and modes; where no bar region is built, nothing is
// drawn.
void RevealBars(Bitmap32& Screen, const Bitmap32& Picture, int32_t W, int32_t H, int32_t XExtent,
                int32_t YExtent, int32_t HorzMode, int32_t VertMode) {
    if (const auto R = BarsRegion(XExtent, YExtent, W, H, HorzMode, VertMode))
        Reveal(Screen, Picture, W, H, R);
}

}  // namespace

#define BARS(...) RevealBars(Screen, Picture, W, H, __VA_ARGS__)

// clang-format off
// Each row: XExtent, YExtent, horizontal mode, vertical mode.
CORVANE_EFFECT(BarsInFromRight)                     { BARS(2 * X, 0, 1, 0); }
CORVANE_EFFECT(BarsInFromLeft)                      { BARS(2 * X, 0, 2, 0); }
CORVANE_EFFECT(BarsLeftThenRight)                   { BARS(2 * X, 0, 4, 0); }
CORVANE_EFFECT(BarsRightThenLeft)                   { BARS(2 * X, 0, 5, 0); }
CORVANE_EFFECT(BarsFromBothSides)                   { BARS(X, 0, 3, 0); }
CORVANE_EFFECT(BarsFromBottom)                      { BARS(0, 2 * Y, 0, 1); }
CORVANE_EFFECT(BarsFromTop)                         { BARS(0, 2 * Y, 0, 2); }
CORVANE_EFFECT(BarsTopThenBottom)                   { BARS(0, 2 * Y, 0, 4); }
CORVANE_EFFECT(BarsBottomThenTop)                   { BARS(0, 2 * Y, 0, 5); }
CORVANE_EFFECT(BarsFromTopAndBottom)                { BARS(0, Y, 0, 3); }
CORVANE_EFFECT(CrissCrossFromBottomRight)           { BARS(2 * X, 2 * Y, 1, 1); }
CORVANE_EFFECT(CrissCrossFromTopRight)              { BARS(2 * X, 2 * Y, 1, 2); }
CORVANE_EFFECT(CrissCrossFromBottomLeft)            { BARS(2 * X, 2 * Y, 2, 1); }
CORVANE_EFFECT(CrissCrossFromTopLeft)               { BARS(2 * X, 2 * Y, 2, 2); }
CORVANE_EFFECT(CrissCrossBounceFromTopLeft)         { BARS(2 * X, 2 * Y, 4, 4); }
CORVANE_EFFECT(CrissCrossBounceFromBottomLeft)      { BARS(2 * X, 2 * Y, 4, 5); }
CORVANE_EFFECT(CrissCrossBounceFromTopRight)        { BARS(2 * X, 2 * Y, 5, 4); }
CORVANE_EFFECT(CrissCrossBounceFromBottomRight)     { BARS(2 * X, 2 * Y, 5, 5); }
CORVANE_EFFECT(CrissCrossFromRightTopAndBottom)     { BARS(X, Y, 1, 3); }
CORVANE_EFFECT(CrissCrossFromLeftTopAndBottom)      { BARS(X, Y, 2, 3); }
CORVANE_EFFECT(CrissCrossFromLeftRightAndBottom)    { BARS(X, Y, 3, 1); }
CORVANE_EFFECT(CrissCrossFromLeftRightAndTop)       { BARS(X, Y, 3, 2); }
CORVANE_EFFECT(CrissCrossFromTopLeftRightAndBottom) { BARS(X, Y, 3, 3); }
// clang-format on

CORVANE_EFFECT(CrissCrossFromBottomLeftTopRight) {
    // Only where the bars from the bottom right and those from the top left overlap.
    auto A = BarsRegion(2 * X, 2 * Y, W, H, 1, 1);
    {
        const auto B = BarsRegion(2 * X, 2 * Y, W, H, 2, 2);
        if (!A || !B) return;
        CombineRgn(*A, *A, *B, RGN_AND);
    }
    Reveal(Screen, Picture, W, H, A);
}

#undef BARS

}  // namespace corvane::bars
