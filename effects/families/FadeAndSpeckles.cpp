#include "effects/families/FadeAndSpeckles.h"

#include <algorithm>

#include "effects/ComplexRegion.h"
#include "effects/PixelHelpers.h"
#include "effects/Random.h"
#include "effects/Reveal.h"
#include "effects/StripRegions.h"

namespace corvane::speckle {

// Every red, green and blue byte moves from the old picture toward the new one by
// MulDiv(256, Progress, 100) / 256 of the way, rounded down (also for negative steps); the fourth
// byte keeps the old picture's. The frame holds the old picture at every call, so each frame is
// a fresh blend, never one built on the frame before.
CORVANE_EFFECT(Fade) {
    BlendRect(Screen, Picture, Progress, 0, 0, W, H);
}

CORVANE_EFFECT(SpeckleAppearFromRight) {
    Reveal(Screen, Picture, W, H, SpeckleRegion(X, Y, W, H, 1, 0));
}
CORVANE_EFFECT(SpeckleAppearFromLeft) {
    Reveal(Screen, Picture, W, H, SpeckleRegion(X, Y, W, H, 2, 0));
}
CORVANE_EFFECT(SpeckleAppearFromBottom) {
    Reveal(Screen, Picture, W, H, SpeckleRegion(X, Y, W, H, 0, 1));
}
CORVANE_EFFECT(SpeckleAppearFromTop) {
    Reveal(Screen, Picture, W, H, SpeckleRegion(X, Y, W, H, 0, 2));
}

// A grid of 2q x 2q cells, each drawing its threshold from a generator seeded by the frame size,
// column by column from the left, each column from the top. Every frame draws the same
// thresholds, so a cell, once shown, stays while the progress rises; the rest of the program
// finds the generator as it was.
CORVANE_EFFECT(RandomSquaresAppear) {
    const int32_t q = std::min(W, H) / 50 + 1;
    std::optional<Region> cells;
    {
        FixedRandomState seed(uint32_t(W + H) * uint32_t(q));
        TComplexRegion rgn;
        for (int32_t x = 0; x < W; x += 2 * q)
            for (int32_t y = 0; y < H; y += 2 * q)
                if (Random(100) < Progress) rgn.AddRect(x, y, x + 2 * q, y + 2 * q);
        cells = rgn.CreateRegion();
    }
    if (cells) Reveal(Screen, Picture, W, H, cells);
}

}  // namespace corvane::speckle
