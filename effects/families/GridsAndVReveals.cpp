#include "effects/families/GridsAndVReveals.h"

#include "effects/ComplexRegion.h"
#include "effects/families/TriangleReveals.h"
#include "platform/MulDiv.h"

// The grids add their bands first and their strips second to one rectangle list: bands 2a thick
// centred every 3d from -d, which grow to two thirds of the picture, and strips that cover the
// first Progress per cent of each pitch X (or Y), which alone cover the picture at the end. A
// zero pitch or band unit draws nothing (a negative pitch, which the player never passes, too:
// it keeps the strip loops finite).

namespace corvane::grids {

namespace {

// Full-width bands centred on rows -d, 2d, 5d, ... above H.
void AddRowBands(TComplexRegion& rgn, int32_t W, int32_t H, int32_t d, int32_t Progress) {
    const int32_t a = MulDiv(d, Progress, 100);
    for (int32_t b = -d; b < H; b += 3 * d) rgn.AddRect(0, b - a, W, b + a);
}

// Full-height bands centred on columns -d, 2d, 5d, ... left of W.
void AddColumnBands(TComplexRegion& rgn, int32_t W, int32_t H, int32_t d, int32_t Progress) {
    const int32_t a = MulDiv(d, Progress, 100);
    for (int32_t b = -d; b < W; b += 3 * d) rgn.AddRect(b - a, 0, b + a, H);
}

}  // namespace

CORVANE_EFFECT(RectanglesFromLeft) {
    if (X <= 0) return;
    const int32_t d = H / 20;
    if (d == 0) return;
    TComplexRegion rgn;
    AddRowBands(rgn, W, H, d, Progress);
    const int32_t e = MulDiv(X, Progress, 100);
    for (int32_t s = 0; s < W; s += X) rgn.AddRect(s, 0, s + e, H);
    if (auto region = rgn.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

CORVANE_EFFECT(RectanglesFromRight) {
    if (X <= 0) return;
    const int32_t d = H / 20;
    if (d == 0) return;
    TComplexRegion rgn;
    AddRowBands(rgn, W, H, d, Progress);
    const int32_t e = MulDiv(X, Progress, 100);
    for (int32_t b = W; b > 0; b -= X) rgn.AddRect(b - e, 0, b, H);
    if (auto region = rgn.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

CORVANE_EFFECT(RectanglesFromTop) {
    const int32_t d = W / 20;
    if (d == 0) return;
    if (Y <= 0) return;
    TComplexRegion rgn;
    AddColumnBands(rgn, W, H, d, Progress);
    const int32_t e = MulDiv(Y, Progress, 100);
    for (int32_t s = 0; s < H; s += Y) rgn.AddRect(0, s, W, s + e);
    if (auto region = rgn.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

CORVANE_EFFECT(RectanglesFromBottom) {
    const int32_t d = W / 20;
    if (d == 0) return;
    if (Y <= 0) return;
    TComplexRegion rgn;
    AddColumnBands(rgn, W, H, d, Progress);
    const int32_t e = MulDiv(Y, Progress, 100);
    for (int32_t b = H; b > 0; b -= Y) rgn.AddRect(0, b - e, W, b);
    if (auto region = rgn.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

// The V's point moves twice as fast as the extent, so that its sides pass the far corners at
// the end. The horizontal bow tie's points meet in the middle half way; the vertical one's go
// twice as deep, meeting at a quarter and reaching the opposite edge half way.

CORVANE_EFFECT(RevealVFromLeft) {
    const int32_t cy = H / 2;
    REVEAL_TRIANGLES({0, cy - Y, 2 * X, cy, 0, cy + Y});
}

CORVANE_EFFECT(RevealVFromRight) {
    const int32_t cy = H / 2;
    REVEAL_TRIANGLES({W, cy - Y, W - 2 * X, cy, W, cy + Y});
}

CORVANE_EFFECT(RevealVFromTop) {
    const int32_t cx = W / 2;
    REVEAL_TRIANGLES({cx - X, 0, cx, 2 * Y, cx + X, 0});
}

CORVANE_EFFECT(RevealVFromBottom) {
    const int32_t cx = W / 2;
    REVEAL_TRIANGLES({cx - X, H, cx, H - 2 * Y, cx + X, H});
}

CORVANE_EFFECT(BowTieHorizontal) {
    const int32_t cy = H / 2;
    REVEAL_TRIANGLES({0, cy - Y, X, cy, 0, cy + Y},       // from the left edge
                     {W, cy - Y, W - X, cy, W, cy + Y});  // from the right edge
}

CORVANE_EFFECT(BowTieVertical) {
    const int32_t cx = W / 2;
    REVEAL_TRIANGLES({cx - X, 0, cx, 2 * Y, cx + X, 0},       // from the top edge
                     {cx - X, H, cx, H - 2 * Y, cx + X, H});  // from the bottom edge
}

}  // namespace corvane::grids
