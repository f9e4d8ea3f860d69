#include "effects/families/EdgeTransitions.h"

#include <algorithm>

#include "effects/PixelHelpers.h"
#include "effects/families/BlockCopies.h"

// Each routine is one to three block copies from the picture to the frame. The kinds: Expand
// scales the whole picture into a growing strip; Slide shifts the unscaled picture in; Reveal
// uncovers it in place; Expand in magnifies a growing part so that it shrinks to natural size;
// Build up shows the uncovered part and smears the next few columns over the rest; Unroll shows
// the uncovered part with a mirrored, shaded band ahead of it, like a sheet unrolled from a roll.

namespace corvane::edge {

namespace {

constexpr uint8_t kRollShade = 48;

// Width of the roll: a tenth of the side, no wider than what is uncovered, and half of what is
// left when less than twice its width remains ahead of it.
int32_t RollWidth(int32_t side, int32_t extent) {
    int32_t s = side / 10;
    if (extent < s)
        s = extent;
    else if (side - extent < 2 * s)
        s = (side - extent) / 2;
    return s;
}

}  // namespace

CORVANE_EFFECT(ExpandFromRight) { STRETCH(W - X, 0, X, H, 0, 0, W, H); }
CORVANE_EFFECT(ExpandFromLeft) { STRETCH(0, 0, X, H, 0, 0, W, H); }
CORVANE_EFFECT(SlideInFromRight) { COPY(W - X, 0, W, H, 0, 0); }
CORVANE_EFFECT(SlideInFromLeft) { COPY(X - W, 0, W, H, 0, 0); }
CORVANE_EFFECT(RevealFromLeft) { COPY(0, 0, X, H, 0, 0); }
CORVANE_EFFECT(RevealFromRight) { COPY(W - X, 0, X, H, W - X, 0); }
CORVANE_EFFECT(ExpandInFromRight) { STRETCH(0, 0, 2 * W - X, H, 0, 0, X, H); }
CORVANE_EFFECT(ExpandInFromLeft) { STRETCH(X - W, 0, 2 * W - X, H, W - X, 0, X, H); }
CORVANE_EFFECT(ExpandInToMiddle) { STRETCH(X - W, 0, 3 * W - 2 * X, H, (W - X) / 2, 0, X, H); }
CORVANE_EFFECT(ExpandOutFromMiddle) { STRETCH((W - X) / 2, 0, X, H, 0, 0, W, H); }
CORVANE_EFFECT(RevealOutFromMiddle) { COPY((W - X) / 2, 0, X, H, (W - X) / 2, 0); }

CORVANE_EFFECT(RevealInFromSides) {
    COPY(0, 0, X / 2, H, 0, 0);
    COPY(W - X / 2, 0, X / 2, H, W - X / 2, 0);
}

CORVANE_EFFECT(ExpandInFromSides) {
    STRETCH(0, 0, X / 2, H, 0, 0, W / 2, H);
    STRETCH(W - X / 2, 0, X / 2, H, W / 2, 0, W / 2, H);
}

CORVANE_EFFECT(UnrollFromLeft) {
    const int32_t s = RollWidth(W, X);
    STRETCH(X + s - 1, 0, -s, H, X + s, 0, s, H);
    COPY(0, 0, X, H, 0, 0);
    ShadeColumns(Screen, kRollShade, X, s);
}

CORVANE_EFFECT(UnrollFromRight) {
    const int32_t s = RollWidth(W, X);
    STRETCH(W - X - 1, 0, -s, H, W - X - 2 * s - 1, 0, s, H);
    COPY(W - X, 0, X, H, W - X, 0);
    ShadeColumns(Screen, kRollShade, W - X - s, s);
}

CORVANE_EFFECT(BuildUpFromRight) {
    COPY(0, 0, X, H, 0, 0);
    STRETCH(X, 0, W - X, H, X, 0, std::min(W - X, W / 10), H);
}

CORVANE_EFFECT(BuildUpFromLeft) {
    COPY(W - X, 0, X, H, W - X, 0);
    const int32_t m = std::max(W - X - W / 10, 0);
    STRETCH(0, 0, W - X, H, m, 0, W - X - m, H);
}

CORVANE_EFFECT(ExpandFromBottom) { STRETCH(0, H - Y, W, Y, 0, 0, W, H); }
CORVANE_EFFECT(ExpandFromTop) { STRETCH(0, 0, W, Y, 0, 0, W, H); }
CORVANE_EFFECT(SlideInFromBottom) { COPY(0, H - Y, W, H, 0, 0); }
CORVANE_EFFECT(SlideInFromTop) { COPY(0, Y - H, W, H, 0, 0); }
CORVANE_EFFECT(RevealFromTop) { COPY(0, 0, W, Y, 0, 0); }
CORVANE_EFFECT(RevealFromBottom) { COPY(0, H - Y, W, Y, 0, H - Y); }
CORVANE_EFFECT(ExpandInFromBottom) { STRETCH(0, 0, W, 2 * H - Y, 0, 0, W, Y); }
CORVANE_EFFECT(ExpandInFromTop) { STRETCH(0, Y - H, W, 2 * H - Y, 0, H - Y, W, Y); }
CORVANE_EFFECT(ExpandInToMiddleHoriz) { STRETCH(0, Y - H, W, 3 * H - 2 * Y, 0, (H - Y) / 2, W, Y); }
CORVANE_EFFECT(ExpandOutFromMiddleHoriz) { STRETCH(0, (H - Y) / 2, W, Y, 0, 0, W, H); }
CORVANE_EFFECT(RevealFromMiddleHoriz) { COPY(0, (H - Y) / 2, W, Y, 0, (H - Y) / 2); }

CORVANE_EFFECT(RevealInFromTopBottom) {
    COPY(0, 0, W, Y / 2, 0, 0);
    COPY(0, H - Y / 2, W, Y / 2, 0, H - Y / 2);
}

CORVANE_EFFECT(ExpandInFromTopBottom) {
    STRETCH(0, 0, W, Y / 2, 0, 0, W, H / 2);
    STRETCH(0, H - Y / 2, W, Y / 2, 0, H / 2, W, H / 2);
}

CORVANE_EFFECT(UnrollFromTop) {
    const int32_t s = RollWidth(H, Y);
    STRETCH(0, Y + s - 1, W, -s, 0, Y + s, W, s);
    COPY(0, 0, W, Y, 0, 0);
    ShadeRows(Screen, kRollShade, Y, s);
}

CORVANE_EFFECT(UnrollFromBottom) {
    const int32_t s = RollWidth(H, Y);
    STRETCH(0, H - Y - 1, W, -s, 0, H - Y - 2 * s - 1, W, s);
    COPY(0, H - Y, W, Y, 0, H - Y);
    ShadeRows(Screen, kRollShade, H - Y - s, s);
}

CORVANE_EFFECT(BuildUpFromBottom) {
    COPY(0, 0, W, Y, 0, 0);
    STRETCH(0, Y, W, H - Y, 0, Y, W, std::min(H - Y, H / 10));
}

CORVANE_EFFECT(BuildUpFromTop) {
    COPY(0, H - Y, W, Y, 0, H - Y);
    const int32_t m = std::max(H - Y - H / 10, 0);
    STRETCH(0, 0, W, H - Y, 0, m, W, H - Y - m);
}

}  // namespace corvane::edge
