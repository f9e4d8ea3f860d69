#include "effects/families/CornerTransitions.h"

#include "effects/families/BlockCopies.h"

// Each routine is a short sequence of block copies: Expand scales the whole picture into a
// growing X x Y rectangle; Slide moves the unscaled picture in diagonally; Reveal uncovers an
// X x Y part in place; Appear and contract magnifies an anchored X x Y part so that it seems to
// come from very close and contract toward its corner or the middle; the quarters come in
// separately.

namespace corvane::corner {

CORVANE_EFFECT(ExpandFromBottomRight) { STRETCH(W - X, H - Y, X, Y, 0, 0, W, H); }
CORVANE_EFFECT(ExpandFromTopRight) { STRETCH(W - X, 0, X, Y, 0, 0, W, H); }
CORVANE_EFFECT(ExpandFromTopLeft) { STRETCH(0, 0, X, Y, 0, 0, W, H); }
CORVANE_EFFECT(ExpandFromBottomLeft) { STRETCH(0, H - Y, X, Y, 0, 0, W, H); }
CORVANE_EFFECT(SlideInFromBottomRight) { COPY(W - X, H - Y, W, H, 0, 0); }
CORVANE_EFFECT(SlideInFromTopRight) { COPY(W - X, Y - H, W, H, 0, 0); }
CORVANE_EFFECT(SlideInFromTopLeft) { COPY(X - W, Y - H, W, H, 0, 0); }
CORVANE_EFFECT(SlideInFromBottomLeft) { COPY(X - W, H - Y, W, H, 0, 0); }
CORVANE_EFFECT(RevealFromTopLeft) { COPY(0, 0, X, Y, 0, 0); }
CORVANE_EFFECT(RevealFromBottomLeft) { COPY(0, H - Y, X, Y, 0, H - Y); }
CORVANE_EFFECT(RevealFromBottomRight) { COPY(W - X, H - Y, X, Y, W - X, H - Y); }
CORVANE_EFFECT(RevealFromTopRight) { COPY(W - X, 0, X, Y, W - X, 0); }
CORVANE_EFFECT(AppearAndContractToTopLeft) { STRETCH(0, 0, 2 * W - X, 2 * H - Y, 0, 0, X, Y); }

CORVANE_EFFECT(AppearAndContractToBottomLeft) {
    STRETCH(0, Y - H, 2 * W - X, 2 * H - Y, 0, H - Y, X, Y);
}

CORVANE_EFFECT(AppearAndContractToBottomRight) {
    STRETCH(X - W, Y - H, 2 * W - X, 2 * H - Y, W - X, H - Y, X, Y);
}

CORVANE_EFFECT(AppearAndContractToTopRight) {
    STRETCH(X - W, 0, 2 * W - X, 2 * H - Y, W - X, 0, X, Y);
}

CORVANE_EFFECT(AppearAndContractToMiddle) {
    STRETCH(X - W, Y - H, 3 * W - 2 * X, 3 * H - 2 * Y, (W - X) / 2, (H - Y) / 2, X, Y);
}

CORVANE_EFFECT(ExpandOutFromCentre) { STRETCH((W - X) / 2, (H - Y) / 2, X, Y, 0, 0, W, H); }

CORVANE_EFFECT(RevealOutFromCentre) {
    COPY((W - X) / 2, (H - Y) / 2, X, Y, (W - X) / 2, (H - Y) / 2);
}

CORVANE_EFFECT(RevealInToCentre) {
    // The new picture fills a border that thickens toward the centre: everything but the
    // shrinking centre rectangle.
    ClipRemovalOnExit removeClip(Screen);
    ExcludeClipRect(Screen, X / 2, Y / 2, W - X / 2, H - Y / 2);
    COPY(0, 0, W, H, 0, 0);
}

CORVANE_EFFECT(QuartersRevealInToMiddle) {
    const int32_t x2 = X / 2, y2 = Y / 2;
    COPY(0, 0, x2, y2, 0, 0);
    COPY(0, H - y2, x2, y2, 0, H - y2);
    COPY(W - x2, H - y2, x2, y2, W - x2, H - y2);
    COPY(W - x2, 0, x2, y2, W - x2, 0);
}

CORVANE_EFFECT(QuartersExpandToMiddle) {
    const int32_t w2 = W / 2, h2 = H / 2, x2 = X / 2, y2 = Y / 2;
    STRETCH(0, 0, x2, y2, 0, 0, w2, h2);
    STRETCH(0, H - y2, x2, y2, 0, h2, w2, h2);
    STRETCH(W - x2, H - y2, x2, y2, w2, h2, w2, h2);
    STRETCH(W - x2, 0, x2, y2, w2, 0, w2, h2);
}

CORVANE_EFFECT(QuartersSlideInToMiddle) {
    // Each quarter is cut at its own place and slides in from a different side, like a pinwheel.
    const int32_t w2 = W / 2, h2 = H / 2, x2 = X / 2, y2 = Y / 2;
    COPY(x2 - w2, 0, w2, h2, 0, 0);     // top left, from the left
    COPY(w2, y2 - h2, w2, h2, w2, 0);   // top right, from the top
    COPY(W - x2, h2, w2, h2, w2, h2);   // bottom right, from the right
    COPY(0, H - y2, w2, h2, 0, h2);     // bottom left, from the bottom
}

}  // namespace corvane::corner
