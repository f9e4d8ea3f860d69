#include <gtest/gtest.h>

#include "effects/EffectTestSupport.h"
#include "effects/FrameComposer.h"

namespace corvane {
namespace {

using test::CodeTag;
using test::CodeX;
using test::CodeY;

// Whatever the size and progress, every routine writes only old or new picture pixels
// (the shaded unroll bands and the blends aside), keeps the old ones in place unless it moves
// them (the pushes), never changes the picture, and leaves no clipping behind.
TEST(EffectRoutines, DrawOnlyPicturePixelsAndLeaveNoClip) {
    const int sizes[][2] = {{1, 1}, {2, 3}, {7, 5}, {49, 30}, {64, 64}, {30, 90}};
    for (int n = 1; n <= TEffectCatalog::Count; ++n) {
        const bool shades = n == 14 || n == 15 || n == 31 || n == 32 || n == 118 || n == 168;
        const bool movesOld = n >= 128 && n <= 135;
        for (const auto& size : sizes) {
            const int W = size[0], H = size[1];
            const Bitmap32 picture = test::Coded(W, H, test::kNewTag);
            for (int progress : {1, 2, 33, 50, 98, 99}) {
                test::Frame f(W, H);
                const TExtents e = ProgressExtents(W, H, progress);
                f.Run(n, e.X, e.Y, progress);
                ASSERT_FALSE(f.Screen.Surface().ClipRegion().has_value()) << "effect " << n;
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x) {
                        ASSERT_EQ(f.Picture.GetPixel(x, y), picture.GetPixel(x, y));
                        if (shades) continue;
                        Pixel p = f.Screen.GetPixel(x, y);
                        const bool inPlace = movesOld || (CodeX(p) == x && CodeY(p) == y);
                        ASSERT_TRUE((CodeTag(p) == test::kOldTag && inPlace && CodeX(p) < W &&
                                     CodeY(p) < H) ||
                                    (CodeTag(p) == test::kNewTag && CodeX(p) < W && CodeY(p) < H))
                            << "effect " << n << " " << W << "x" << H << " at " << progress
                            << ", pixel " << x << "," << y;
                    }
            }
        }
    }
}

}  // namespace
}  // namespace corvane
