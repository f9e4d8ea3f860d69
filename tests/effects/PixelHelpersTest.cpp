#include "effects/PixelHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/raster/Drawing.h"

namespace corvane {
namespace {

Pixel Grey(int v) { return MakePixel(uint8_t(v), uint8_t(v), uint8_t(v)); }

TEST(ShadeColumns, DarkensMostAtTheBandEdges) {
    Bitmap32 b(1000, 3, Grey(128) | 0xAB000000u);
    ShadeColumns(b, 48, 300, 100);
    EXPECT_EQ(b.GetPixel(299, 1), Grey(128) | 0xAB000000u);
    EXPECT_EQ(b.GetPixel(300, 0), Grey(80) | 0xAB000000u);  // -48; the fourth byte is kept
    EXPECT_EQ(b.GetPixel(348, 2) & 0xFFFFFF, Grey(128));
    EXPECT_EQ(b.GetPixel(349, 2) & 0xFFFFFF, Grey(129));     // +1 at the top
    EXPECT_EQ(b.GetPixel(399, 1) & 0xFFFFFF, Grey(79));      // -49 at the far edge
    EXPECT_EQ(b.GetPixel(400, 1) & 0xFFFFFF, Grey(128));

    Bitmap32 wide(200, 1, Grey(100));
    ShadeColumns(wide, 48, 0, 102);  // a wide band peaks slightly above 0
    int peak = 0;
    for (int x = 0; x < 102; ++x) peak = std::max(peak, int(PixelRed(wide.GetPixel(x, 0))));
    EXPECT_EQ(peak, 102);

    Bitmap32 narrow(10, 1, Grey(100));  // Depth > half: big steps
    ShadeColumns(narrow, 48, 0, 4);
    EXPECT_EQ(PixelRed(narrow.GetPixel(0, 0)), 52);
    EXPECT_EQ(PixelRed(narrow.GetPixel(2, 0)), 100);

    Bitmap32 untouched(10, 1, Grey(100));
    ShadeColumns(untouched, 48, 2, 1);
    ShadeColumns(untouched, 0, 2, 5);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(untouched.GetPixel(x, 0), Grey(100));

    Bitmap32 dark(4, 1, MakePixel(10, 200, 30));  // each channel clamps on its own
    ShadeColumns(dark, 48, 0, 4);
    EXPECT_EQ(dark.GetPixel(0, 0), MakePixel(0, 152, 0));
}

TEST(ShadeRows, LaysTheProfileOutFromTheBottomRowAndTurnsAtHalf) {
    Bitmap32 b(2, 110, Grey(128));
    ShadeRows(b, 48, 10, 100);  // the band is rows 10 to 109
    EXPECT_EQ(b.GetPixel(1, 109), Grey(80));
    EXPECT_EQ(b.GetPixel(0, 9), Grey(128));
    Bitmap32 c(1, 100, Grey(128));
    ShadeRows(c, 48, 0, 100);
    EXPECT_EQ(c.GetPixel(0, 99), Grey(80));   // k = 1
    EXPECT_EQ(c.GetPixel(0, 50), Grey(129));  // k = 50, the turn
    EXPECT_EQ(c.GetPixel(0, 49), Grey(128));  // k = 51
    EXPECT_EQ(c.GetPixel(0, 0), Grey(79));    // k = 100
}

TEST(BlendRect, MovesTowardTheSourceWithFlooredSteps) {
    Bitmap32 dest(4, 4, Grey(0)), src(4, 4, Grey(255));
    BlendRect(dest, src, 50, 1, 1, 2, 2);
    EXPECT_EQ(dest.GetPixel(1, 1), Grey(127));
    EXPECT_EQ(dest.GetPixel(0, 0), Grey(0));
    EXPECT_EQ(dest.GetPixel(3, 3), Grey(0));
    Bitmap32 back(1, 1, Grey(255)), black(1, 1, Grey(0));
    BlendRect(back, black, 50, 0, 0, 1, 1);
    EXPECT_EQ(back.GetPixel(0, 0), Grey(127));  // 255 + floor(-127.5)
    BlendRect(back, black, 100, 0, 0, 1, 1);
    EXPECT_EQ(back.GetPixel(0, 0), Grey(0));
}

TEST(RotateBitmap, AtAngleZeroShiftsOnePixelLeftAndDown) {
    Bitmap32 src(6, 5), dest(6, 5, 0xEEEEEE);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) src.SetPixel(x, y, Pixel(y * 16 + x));
    RotateBitmap(dest, src, 3, 2, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            bool kept = x == 5 || y == 0;
            EXPECT_EQ(dest.GetPixel(x, y), kept ? 0xEEEEEEu : src.GetPixel(x + 1, y - 1))
                << x << "," << y;
        }
}

// The turn straight from its rule, pixel by pixel, with 32-bit products.
void ReferenceRotate(Bitmap32& dest, const Bitmap32& src, int CX, int CY, long double angle) {
    const int32_t S = int32_t(std::trunc(65536.0L * std::sin(-angle)));
    const int32_t C = int32_t(std::trunc(65536.0L * std::cos(-angle)));
    const int w = src.Width(), h = src.Height();
    auto mul = [](int32_t a, int32_t b) { return int32_t(uint32_t(int64_t(a) * b)); };
    for (int y = 0; y < std::min(h, dest.Height()); ++y)
        for (int x = 0; x < std::min(w, dest.Width()); ++x) {
            const int32_t u = x + 1 - CX, v = h - y - CY;
            const int32_t sx = CX + (int32_t(uint32_t(mul(u, C)) - uint32_t(mul(v, S))) >> 16);
            const int32_t r = CY + (int32_t(uint32_t(mul(u, S)) + uint32_t(mul(v, C))) >> 16);
            if (r >= 0 && r < h && sx >= 0 && sx < w) dest.SetPixel(x, y, src.GetPixel(sx, h - 1 - r));
        }
}

TEST(RotateBitmap, MatchesTheRuleForAnyPivotAndAngle) {
    std::mt19937 rng(119);
    std::uniform_real_distribution<double> angle(-3.2, 3.2);
    for (int trial = 0; trial < 300; ++trial) {
        const int w = 1 + int(rng() % 40), h = 1 + int(rng() % 30);
        const int CX = int(rng() % 60) - 10, CY = int(rng() % 50) - 10;
        const long double a = trial % 10 == 0 ? 0.0L : (long double)angle(rng);
        Bitmap32 src(w, h), dest(w, h, 0xEEEEEE), expected(w, h, 0xEEEEEE);
        for (size_t i = 0; i < src.PixelCount(); ++i) src.Bits()[i] = Pixel(i + 1);
        RotateBitmap(dest, src, CX, CY, a);
        ReferenceRotate(expected, src, CX, CY, a);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(dest.GetPixel(x, y), expected.GetPixel(x, y))
                    << "trial " << trial << ", pixel " << x << "," << y;
    }
    // Far from the pivot the products wrap, as 32-bit products do.
    Bitmap32 src(50, 40), dest(50, 40, 1), expected(50, 40, 1);
    for (size_t i = 0; i < src.PixelCount(); ++i) src.Bits()[i] = Pixel(i + 2);
    RotateBitmap(dest, src, 40000, -5, 0.3L);
    ReferenceRotate(expected, src, 40000, -5, 0.3L);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) ASSERT_EQ(dest.GetPixel(x, y), expected.GetPixel(x, y));
}

}  // namespace
}  // namespace corvane
