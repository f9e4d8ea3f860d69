#include "effects/families/PixelateAndDissolve.h"

#include <algorithm>

#include "effects/PixelHelpers.h"
#include "effects/PixelRuns.h"
#include "effects/Random.h"
#include "platform/MulDiv.h"
#include "platform/raster/Drawing.h"

// Dissolve and the random bars seed the shared generator with W + H for the call and put its
// state back afterwards: every frame of a transition draws the same numbers, one per unit, also
// for the units it does not copy, and a unit switches to the new picture in the first frame
// whose progress exceeds its number.

namespace corvane::dissolve {

// The centre block of the source is scaled up onto a rectangle that overhangs every edge by twice
// its border, so each source pixel becomes a large block; the border grows toward the middle of
// the transition and shrinks after it. Around the middle the block is blended toward the new
// picture first and scaled from the frame itself.
CORVANE_EFFECT(Pixelate) {
    const bool firstHalf = Progress <= 50;
    const Bitmap32* S = firstHalf ? &Screen : &Picture;
    const int32_t a = firstHalf ? X : W - X, b = firstHalf ? Y : H - Y;
    const int32_t f =
        firstHalf ? 180 - MulDiv(Progress, 82, 50) : MulDiv(Progress - 100, 82, 50) + 180;
    const int32_t bx = MulDiv(a, f, 100), by = MulDiv(b, f, 100);
    const int32_t sw = std::max(W - 2 * bx, 2), sh = std::max(H - 2 * by, 2);
    if (Progress >= 41 && Progress <= 59) {
        BlendRect(Screen, Picture, (Progress - 41) * 5 + 5, bx, by, sw, sh);
        S = &Screen;
    }
    StretchBlt(Screen, -2 * bx, -2 * by, W + 4 * bx, H + 4 * by, *S, bx, by, sw, sh);
}

// One number per pixel, bottom row first, each row from left to right.
CORVANE_EFFECT(Dissolve) {
    FixedRandomState seed(uint32_t(W + H));
    RandomRun draws;
    for (int32_t y = H - 1; y >= 0; --y)
        DissolveRun(Screen.Scanline(y), Picture.Scanline(y), size_t(W), draws.State(), Progress);
}

// One number per row, bottom row first.
CORVANE_EFFECT(RandomBarsHorizontal) {
    FixedRandomState seed(uint32_t(W + H));
    for (int32_t y = H - 1; y >= 0; --y)
        if (Random(100) < Progress) std::copy_n(Picture.Scanline(y), W, Screen.Scanline(y));
}

// One number per column, leftmost first. The columns go in chunks, so that the mask of the
// chunk's copied columns fits in a small fixed buffer.
CORVANE_EFFECT(RandomBarsVertical) {
    constexpr int32_t kChunk = 1024;
    FixedRandomState seed(uint32_t(W + H));
    Pixel copied[kChunk];
    for (int32_t left = 0; left < W; left += kChunk) {
        const int32_t n = std::min(kChunk, W - left);
        for (int32_t i = 0; i < n; ++i) copied[i] = Random(100) < Progress ? ~Pixel(0) : 0;
        for (int32_t y = 0; y < H; ++y)
            SelectRun(Screen.Scanline(y) + left, Picture.Scanline(y) + left, copied, size_t(n));
    }
}

}  // namespace corvane::dissolve
