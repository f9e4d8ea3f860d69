#include "effects/families/UnevenShreds.h"

#include "effects/Reveal.h"
#include "effects/StripRegions.h"

// Each routine reveals the shreds of one frame, their lengths drawn anew every frame. The shred
// modes: 1 from the right (bottom) edge, 2 from the left (top) edge, 3 outward from the centre
// line, 4 inward from both edges; 0 leaves that direction out.

namespace corvane::shred {

namespace {

// Reveals the shreds of the given extents and modes; where no shred region is built, nothing
// is drawn.
void RevealShreds(Bitmap32& Screen, const Bitmap32& Picture, int32_t W, int32_t H, int32_t XExtent,
                  int32_t YExtent, int32_t HorzMode, int32_t VertMode) {
    if (const auto R = ShredRegion(XExtent, YExtent, W, H, HorzMode, VertMode))
        Reveal(Screen, Picture, W, H, R);
}

}  // namespace

#define SHREDS(...) RevealShreds(Screen, Picture, W, H, __VA_ARGS__)

// clang-format off
// Each row: XExtent, YExtent, horizontal mode, vertical mode.
CORVANE_EFFECT(UnevenShredFromRight)              { SHREDS(X, 0, 1, 0); }
CORVANE_EFFECT(UnevenShredFromLeft)               { SHREDS(X, 0, 2, 0); }
CORVANE_EFFECT(UnevenShredOutFromMiddleHoriz)     { SHREDS(X, 0, 3, 0); }
CORVANE_EFFECT(UnevenShredInToMiddleHoriz)        { SHREDS(X, 0, 4, 0); }
CORVANE_EFFECT(UnevenShredFromBottom)             { SHREDS(0, Y, 0, 1); }
CORVANE_EFFECT(UnevenShredFromTop)                { SHREDS(0, Y, 0, 2); }
CORVANE_EFFECT(UnevenShredFromHorizon)            { SHREDS(0, Y, 0, 3); }
CORVANE_EFFECT(UnevenShredInToHorizon)            { SHREDS(0, Y, 0, 4); }
CORVANE_EFFECT(UnevenShredFromBottomAndRight)     { SHREDS(X, Y, 1, 1); }
CORVANE_EFFECT(UnevenShredFromTopAndRight)        { SHREDS(X, Y, 1, 2); }
CORVANE_EFFECT(UnevenShredFromBottomAndLeft)      { SHREDS(X, Y, 2, 1); }
CORVANE_EFFECT(UnevenShredFromTopAndLeft)         { SHREDS(X, Y, 2, 2); }
CORVANE_EFFECT(UnevenShredFromHorizAndRight)      { SHREDS(X, Y, 1, 3); }
CORVANE_EFFECT(UnevenShredFromHorizAndLeft)       { SHREDS(X, Y, 2, 3); }
CORVANE_EFFECT(UnevenShredFromBottomAndVertMiddle) { SHREDS(X, Y, 3, 1); }
CORVANE_EFFECT(UnevenShredFromTopAndVertMiddle)   { SHREDS(X, Y, 3, 2); }
CORVANE_EFFECT(UnevenShredFromCentre)             { SHREDS(X, Y, 3, 3); }
CORVANE_EFFECT(UnevenShredToCentre)               { SHREDS(X, Y, 4, 4); }
// clang-format on

#undef SHREDS

}  // namespace corvane::shred
