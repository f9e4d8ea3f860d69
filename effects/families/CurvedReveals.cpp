#include "effects/families/CurvedReveals.h"

#include <utility>

#include "effects/Reveal.h"
#include "platform/raster/RegionApi.h"

// Each routine reveals one rounded rectangle much larger than the frame, so that only one
// rounded end or one rounded corner crosses it: a half-ellipse sweeping in from an edge, a
// quarter-ellipse growing from a corner, or a near-ellipse (corners nine tenths of its size)
// around the centre.

namespace corvane::curved {

namespace {

// Nine fifths of a size, through 64 bits so that a very wide picture cannot overflow.
int32_t NineFifths(int32_t v) {
    return int32_t(9LL * v / 5);
}

}  // namespace

#define REVEAL(...) ::corvane::Reveal(Screen, Picture, W, H, __VA_ARGS__)

CORVANE_EFFECT(CurvedRevealFromLeft) {
    REVEAL(CreateRoundRectRgn(-2 * W, 0, 2 * X, H + 1, 2 * W, 2 * W));
}

CORVANE_EFFECT(CurvedRevealFromRight) {
    REVEAL(CreateRoundRectRgn(W - 2 * X, 0, 3 * W, H + 1, 2 * W, 2 * W));
}

CORVANE_EFFECT(CurvedRevealFromTop) {
    REVEAL(CreateRoundRectRgn(0, -2 * H, W + 1, 2 * Y, 2 * H, 2 * H));
}

CORVANE_EFFECT(CurvedRevealFromBottom) {
    REVEAL(CreateRoundRectRgn(0, H - 2 * Y, W + 1, 3 * H, 2 * H, 2 * H));
}

CORVANE_EFFECT(CurvedRevealFromTopLeft) {
    REVEAL(CreateRoundRectRgn(-W, -H, (3 * X) / 2, (3 * Y) / 2, 2 * W, 2 * H));
}

CORVANE_EFFECT(CurvedRevealFromTopRight) {
    REVEAL(CreateRoundRectRgn(W - (3 * X) / 2, -H, 2 * W, (3 * Y) / 2, 2 * W, 2 * H));
}

CORVANE_EFFECT(CurvedRevealFromBottomLeft) {
    REVEAL(CreateRoundRectRgn(-W, H - (3 * Y) / 2, (3 * X) / 2, 2 * H, 2 * W, 2 * H));
}

CORVANE_EFFECT(CurvedRevealFromBottomRight) {
    REVEAL(CreateRoundRectRgn(W - (3 * X) / 2, H - (3 * Y) / 2, 2 * W, 2 * H, 2 * W, 2 * H));
}

CORVANE_EFFECT(EllipticRevealOutFromCentre) {
    REVEAL(CreateRoundRectRgn(W / 2 - X, H / 2 - Y, W / 2 + X, H / 2 + Y, NineFifths(X),
                              NineFifths(Y)));
}

CORVANE_EFFECT(EllipticRevealInToCentre) {
    // The frame outside a near-ellipse that shrinks from about twice the frame's size to nothing.
    Region A = CreateRectRgn(0, 0, W, H);
    {
        const Region B = CreateRoundRectRgn(X - W / 2, Y - H / 2, 3 * (W / 2) - X, 3 * (H / 2) - Y,
                                            NineFifths(W - X), NineFifths(H - Y));
        CombineRgn(A, A, B, RGN_XOR);
    }
    REVEAL(std::move(A));
}

#undef REVEAL

}  // namespace corvane::curved
