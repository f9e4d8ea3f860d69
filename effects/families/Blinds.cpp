#include "effects/families/Blinds.h"

#include "effects/ComplexRegion.h"
#include "effects/Reveal.h"
#include "platform/MulDiv.h"

// Each routine adds its strips to one rectangle list and reveals their union; a list that got
// no rectangle reveals nothing.

namespace corvane::blinds {

CORVANE_EFFECT(BlindVertically) {
    // About twenty slats; the last centre may lie beyond the right edge.
    const int32_t s = W / 40 + 1, d = MulDiv(s, Progress, 100);
    TComplexRegion slats;
    for (int32_t k = 0; 2 * k * s < W; ++k) {
        const int32_t m = (2 * k + 1) * s;
        slats.AddRect(m - d, 0, m + d, H);
    }
    if (auto region = slats.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

CORVANE_EFFECT(BlindHorizontally) {
    const int32_t s = H / 40 + 1, d = MulDiv(s, Progress, 100);
    TComplexRegion slats;
    for (int32_t k = 0; 2 * k * s < H; ++k) {
        const int32_t m = (2 * k + 1) * s;
        slats.AddRect(0, m - d, W, m + d);
    }
    if (auto region = slats.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

// The uneven blinds' pitch is the extent along their axis; a pitch of 0 (or less, which the
// player never passes) draws nothing, and keeps the strip loops finite.

CORVANE_EFFECT(UnevenBlindFromLeft) {
    const int32_t P = X;
    if (P <= 0) return;
    const int32_t w = MulDiv(P, Progress, 100);
    TComplexRegion strips;
    for (int32_t a = 0; a < W; a += P) strips.AddRect(a, 0, a + w, H);
    if (auto region = strips.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

CORVANE_EFFECT(UnevenBlindFromRight) {
    const int32_t P = X;
    if (P <= 0) return;
    const int32_t w = MulDiv(P, Progress, 100);
    TComplexRegion strips;
    for (int32_t a = W; a > 0; a -= P) strips.AddRect(a - w, 0, a, H);
    if (auto region = strips.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

CORVANE_EFFECT(UnevenBlindFromTop) {
    const int32_t P = Y;
    if (P <= 0) return;
    const int32_t w = MulDiv(P, Progress, 100);
    TComplexRegion strips;
    for (int32_t a = 0; a < H; a += P) strips.AddRect(0, a, W, a + w);
    if (auto region = strips.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

CORVANE_EFFECT(UnevenBlindFromBottom) {
    const int32_t P = Y;
    if (P <= 0) return;
    const int32_t w = MulDiv(P, Progress, 100);
    TComplexRegion strips;
    for (int32_t a = H; a > 0; a -= P) strips.AddRect(0, a - w, W, a);
    if (auto region = strips.CreateRegion()) Reveal(Screen, Picture, W, H, region);
}

}  // namespace corvane::blinds
