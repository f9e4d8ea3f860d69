#include "effects/StripRegions.h"

#include <gtest/gtest.h>

#include "effects/Random.h"

namespace corvane {
namespace {

Region Rects(std::vector<TRect> rects) { return Region::FromRects(rects); }

TEST(BarsRegion, GrowsEvenBarsFirstThenOddOnes) {
    // 500 x 300: bars are 300 div 50 + 1 = 7 rows thick; the loop runs while y < 307.
    std::vector<TRect> even;
    for (int y = 0; y < 307; y += 14) even.push_back(TRect{300, y, 500, y + 7});
    EXPECT_EQ(*BarsRegion(200, 0, 500, 300, 1, 0), Rects(even));

    // At exactly W the first phase holds: even bars whole, odd bars empty.
    std::vector<TRect> whole;
    for (int y = 0; y < 307; y += 14) whole.push_back(TRect{0, y, 500, y + 7});
    EXPECT_EQ(*BarsRegion(500, 0, 500, 300, 1, 0), Rects(whole));

    // One past W: the odd bars show one column at the right edge.
    Region second = *BarsRegion(501, 0, 500, 300, 1, 0);
    EXPECT_TRUE(second.Contains(499, 7));
    EXPECT_FALSE(second.Contains(498, 7));
    EXPECT_TRUE(second.Contains(0, 0));

    // Mode 3 grows even bars from the right and odd bars from the left together.
    Region both = *BarsRegion(100, 0, 500, 300, 3, 0);
    EXPECT_TRUE(both.Contains(450, 0));
    EXPECT_TRUE(both.Contains(50, 7));
    EXPECT_FALSE(both.Contains(50, 0));
    // The vertical pass: bars from the top in mode 2.
    Region down = *BarsRegion(0, 40, 500, 300, 0, 2);
    EXPECT_TRUE(down.Contains(0, 39));
    EXPECT_FALSE(down.Contains(0, 40));
    EXPECT_FALSE(down.Contains(7, 0));
    // Both modes 0: nothing is added and there is no region.
    EXPECT_FALSE(BarsRegion(100, 100, 500, 300, 0, 0).has_value());
}

TEST(ShredRegion, StripsHaveNoJitterOnceTheExtentReachesTheSide) {
    SetRandomState(1234);
    // 400 x 300: strips 300 div 200 + 1 = 2 rows apart; each s + H mod s = 2 rows high.
    Region full = *ShredRegion(400, 0, 400, 300, 2, 0);
    EXPECT_EQ(full, Region(TRect{0, 0, 400, 300}));
    Region right = *ShredRegion(500, 0, 400, 300, 1, 0);
    EXPECT_EQ(right, Region(TRect{-100, 0, 400, 300}));

    // Lengths vary within XExtent +- W div 10; a small extent leaves some strips empty.
    Region partial = *ShredRegion(20, 0, 400, 300, 2, 0);
    int shown = 0;
    for (int y = 0; y < 300; y += 2) {
        EXPECT_FALSE(partial.Contains(60, y));  // never longer than 20 + 40
        shown += partial.Contains(0, y);
    }
    EXPECT_GT(shown, 0);
    EXPECT_LT(shown, 150);
}

TEST(SpeckleRegion, SolidFrontWithSquaresAheadThinningOut) {
    SetRandomState(99);
    // W = 1000: zone g = 100, squares s = 5, rows every 2, 20 candidates.
    Region r = *SpeckleRegion(300, 0, 1000, 600, 1, 0);
    for (int y = 0; y < 600; y += 37) {
        EXPECT_TRUE(r.Contains(700, y));
        EXPECT_TRUE(r.Contains(999, y));
        // The two nearest squares always appear; nothing lies beyond the zone.
        EXPECT_TRUE(r.Contains(695, y) && r.Contains(690, y));
        EXPECT_FALSE(r.Contains(599, y));
    }
    // Farther squares appear less often than near ones.
    int near = 0, far = 0;
    for (int y = 0; y < 600; ++y) {
        near += r.Contains(682, y);  // third square ahead
        far += r.Contains(602, y);   // last square ahead
    }
    EXPECT_GT(near, far);
}

}  // namespace
}  // namespace corvane
