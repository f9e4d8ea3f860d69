#include "player/FrameScaler.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/raster/Drawing.h"
#include "player/PlayerFixtures.h"

namespace corvane {
namespace {

// The paint path's scaler must pick exactly the pixels the raster layer's StretchBlt picks, so
// the fast path and the full repaint show the same frame.
TEST(ScaleOpaque, MatchesStretchBltOverRandomPlacementsAndAreas) {
    std::mt19937 random(7);
    auto uniform = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    for (int round = 0; round < 200; ++round) {
        const Bitmap32 src = test::PatternBitmap(uniform(1, 40), uniform(1, 40), uint32_t(round));
        const int dw = uniform(1, 60), dh = uniform(1, 60);
        const int px = uniform(-10, 30), py = uniform(-10, 30);
        const TRect placement{px, py, px + uniform(1, 70), py + uniform(1, 70)};
        const int ax = uniform(-5, dw), ay = uniform(-5, dh);
        const TRect area{ax, ay, ax + uniform(0, dw), ay + uniform(0, dh)};

        Bitmap32 expected(dw, dh, 0x123456, Bitmap32::RowOrder::TopDown);
        Bitmap32 actual = expected;
        {
            ClipSelection clip(expected, Region(area));
            StretchBlt(expected, placement.Left, placement.Top, int32_t(placement.Width()),
                       int32_t(placement.Height()), src, 0, 0, src.Width(), src.Height());
        }
        ScaleOpaque(actual, placement, src, area);
        ASSERT_TRUE(test::SamePixels(expected, actual)) << "round " << round;
        // Written pixels are opaque, the others untouched.
        const TRect written = Intersect(Intersect(placement, area), actual.Bounds());
        for (int y = 0; y < dh; ++y)
            for (int x = 0; x < dw; ++x)
                ASSERT_EQ(actual.GetPixel(x, y) >> 24, written.Contains(x, y) ? 0xFFu : 0u)
                    << "round " << round << " at " << x << "," << y;
    }
}

}  // namespace
}  // namespace corvane
