#include "effects/families/PivotsAndPushes.h"

#include <numbers>

#include "effects/PixelHelpers.h"
#include "effects/families/BlockCopies.h"

// The pivots turn the picture about a point given in bottom-up coordinates: (-1, -1) is the
// bottom-left corner, (W, H) the top-right one. A positive angle turns it anticlockwise; it
// starts just short of a quarter turn and ends just short of none.
//
// Each push first moves or squeezes the old picture within the frame, reading the frame as it
// stood on entry although source and destination overlap, then copies in a slice of the new
// picture.

namespace corvane::push {

namespace {

// (100 - Progress) quarter turns of a hundredth each, in radians.
long double Turn(int32_t Progress) {
    return (100 - Progress) * std::numbers::pi_v<long double> / 200;
}

}  // namespace

CORVANE_EFFECT(PivotFromTopLeft) {
    RotateBitmap(Screen, Picture, -1, -1, Turn(Progress));
}
CORVANE_EFFECT(PivotFromBottomLeft) {
    RotateBitmap(Screen, Picture, -1, H, -Turn(Progress));
}
CORVANE_EFFECT(PivotFromTopRight) {
    RotateBitmap(Screen, Picture, W, -1, -Turn(Progress));
}
CORVANE_EFFECT(PivotFromBottomRight) {
    RotateBitmap(Screen, Picture, W, H, Turn(Progress));
}

CORVANE_EFFECT(PushRight) {
    BitBlt(Screen, X, 0, W - X, H, Screen, 0, 0);
    COPY(0, 0, X, H, W - X, 0);
}

CORVANE_EFFECT(PushLeft) {
    BitBlt(Screen, 0, 0, W - X, H, Screen, X, 0);
    COPY(W - X, 0, X, H, 0, 0);
}

CORVANE_EFFECT(PushAndSqueezeRight) {
    StretchBlt(Screen, X, 0, W - X, H, Screen, 0, 0, W, H);
    COPY(0, 0, X, H, W - X, 0);
}

CORVANE_EFFECT(PushAndSqueezeLeft) {
    StretchBlt(Screen, 0, 0, W - X, H, Screen, 0, 0, W, H);
    COPY(W - X, 0, X, H, 0, 0);
}

CORVANE_EFFECT(PushDown) {
    BitBlt(Screen, 0, Y, W, H - Y, Screen, 0, 0);
    COPY(0, 0, W, Y, 0, H - Y);
}

CORVANE_EFFECT(PushUp) {
    BitBlt(Screen, 0, 0, W, H - Y, Screen, 0, Y);
    COPY(0, H - Y, W, Y, 0, 0);
}

CORVANE_EFFECT(PushAndSqueezeDown) {
    StretchBlt(Screen, 0, Y, W, H - Y, Screen, 0, 0, W, H);
    COPY(0, 0, W, Y, 0, H - Y);
}

CORVANE_EFFECT(PushAndSqueezeUp) {
    StretchBlt(Screen, 0, 0, W, H - Y, Screen, 0, 0, W, H);
    COPY(0, H - Y, W, Y, 0, 0);
}

}  // namespace corvane::push
