#include "platform/raster/Drawing.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/raster/RegionApi.h"

namespace corvane {
namespace {

// Pixels that encode their own position and a tag, so a test can say which source pixel landed
// where.
Pixel Code(int x, int y, int tag) { return Pixel(x) | Pixel(y) << 12 | Pixel(tag) << 24; }

Bitmap32 Coded(int w, int h, int tag, Bitmap32::RowOrder order = Bitmap32::RowOrder::BottomUp) {
    Bitmap32 b(w, h, 0, order);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, Code(x, y, tag));
    return b;
}

TEST(Bitmap32, RowsAreStoredBottomUpWithoutPadding) {
    Bitmap32 b = Coded(3, 2, 1);
    EXPECT_EQ(b.Bits()[0], Code(0, 1, 1));  // the last row lies lowest in memory
    EXPECT_EQ(b.Bits()[3], Code(0, 0, 1));
    Bitmap32 t = Coded(3, 2, 1, Bitmap32::RowOrder::TopDown);
    EXPECT_EQ(t.Bits()[0], Code(0, 0, 1));
    EXPECT_EQ(ColorToPixel(0xFF0000), 0x0000FFu);  // pure blue in 0x00BBGGRR
}

// The reference BitBlt: per pixel, straight from the rules.
void ReferenceBlt(Bitmap32& d, const Region* clip, int x, int y, int w, int h, const Bitmap32& s,
                  int sx, int sy) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            int dx = x + i, dy = y + j, srcX = sx + i, srcY = sy + j;
            if (dx < 0 || dy < 0 || dx >= d.Width() || dy >= d.Height()) continue;
            if (srcX < 0 || srcY < 0 || srcX >= s.Width() || srcY >= s.Height()) continue;
            if (clip && !clip->Contains(dx, dy)) continue;
            d.SetPixel(dx, dy, s.GetPixel(srcX, srcY));
        }
}

bool SamePixels(const Bitmap32& a, const Bitmap32& b) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") differs";
                return false;
            }
    return true;
}

TEST(BitBlt, ClipsAtEveryEdgeWithNegativePositionsAndClipRegions) {
    std::mt19937 rng(4);
    std::uniform_int_distribution<int> pos(-30, 50), ext(-3, 60);
    const Bitmap32 src = Coded(37, 23, 2);
    for (int trial = 0; trial < 400; ++trial) {
        Bitmap32 dest = Coded(41, 29, 1), expected = dest;
        int x = pos(rng), y = pos(rng), w = ext(rng), h = ext(rng), sx = pos(rng), sy = pos(rng);
        std::optional<Region> clip;
        if (trial % 2)
            clip = Region::FromRects(std::vector<TRect>{{pos(rng), pos(rng), pos(rng), pos(rng)},
                                                        {0, pos(rng), 20, 40},
                                                        {pos(rng), 3, 50, 9}});
        SelectClipRgn(dest, clip ? &*clip : nullptr);
        BitBlt(dest, x, y, w, h, src, sx, sy);
        ReferenceBlt(expected, clip ? &*clip : nullptr, x, y, w, h, src, sx, sy);
        ASSERT_TRUE(SamePixels(dest, expected)) << "trial " << trial;
    }
}

TEST(BitBlt, OverlappingInPlaceCopyReadsTheOldPixels) {
    for (auto [dx, dy] : {std::pair{3, 2}, {-3, -2}, {4, -1}, {-2, 5}}) {
        Bitmap32 b = Coded(20, 16, 1), expected = b;
        const Bitmap32 before = b;
        BitBlt(b, 2 + dx, 2 + dy, 12, 10, b, 2, 2);
        ReferenceBlt(expected, nullptr, 2 + dx, 2 + dy, 12, 10, before, 2, 2);
        EXPECT_TRUE(SamePixels(b, expected)) << dx << "," << dy;
    }
    // Blocks that reach over the edges, with and without a clip region.
    std::mt19937 rng(14);
    std::uniform_int_distribution<int> pos(-10, 30), ext(0, 40);
    for (int trial = 0; trial < 300; ++trial) {
        Bitmap32 b = Coded(23, 19, 1), expected = b;
        const Bitmap32 before = b;
        int x = pos(rng), y = pos(rng), w = ext(rng), h = ext(rng), sx = pos(rng), sy = pos(rng);
        std::optional<Region> clip;
        if (trial % 3 == 0) clip = Region(TRect{pos(rng), pos(rng), 20, 18});
        SelectClipRgn(b, clip ? &*clip : nullptr);
        BitBlt(b, x, y, w, h, b, sx, sy);
        ReferenceBlt(expected, clip ? &*clip : nullptr, x, y, w, h, before, sx, sy);
        ASSERT_TRUE(SamePixels(b, expected)) << "trial " << trial;
    }
}

TEST(BitBlt, DrawsThroughTheOriginAndExcludedRectangles) {
    Bitmap32 dest(10, 10, 0);
    dest.Surface().SetOrigin(TPoint{-2, -3});
    ExcludeClipRect(dest, 4, 4, 6, 6);  // logical: device (2, 1)-(4, 3)
    FillRect(dest, TRect{2, 3, 12, 13}, 7);
    EXPECT_EQ(dest.GetPixel(0, 0), 7u);
    EXPECT_EQ(dest.GetPixel(2, 1), 0u);
    EXPECT_EQ(dest.GetPixel(3, 2), 0u);
    EXPECT_EQ(dest.GetPixel(4, 2), 7u);
    EXPECT_EQ(ClipBox(dest), (TRect{2, 3, 12, 13}));
    SelectClipRgn(dest, nullptr);
    EXPECT_FALSE(dest.Surface().ClipRegion().has_value());
}

// The reference scaled copy, from the nearest-pixel rule and the mirroring rule.
void ReferenceStretch(Bitmap32& d, int x, int y, int w, int h, const Bitmap32& s, int sx, int sy,
                      int sw, int sh) {
    if (!w || !h || !sw || !sh) return;
    int n = std::abs(w), m = std::abs(h), sn = std::abs(sw), sm = std::abs(sh);
    for (int j = 0; j < m; ++j)
        for (int i = 0; i < n; ++i) {
            int dx = w > 0 ? x + i : x - i, dy = h > 0 ? y + j : y - j;
            int mi = int(((2LL * i + 1) * sn) / (2LL * n)), mj = int(((2LL * j + 1) * sm) / (2LL * m));
            int srcX = sw > 0 ? sx + mi : sx - mi, srcY = sh > 0 ? sy + mj : sy - mj;
            if (dx < 0 || dy < 0 || dx >= d.Width() || dy >= d.Height()) continue;
            if (srcX < 0 || srcY < 0 || srcX >= s.Width() || srcY >= s.Height()) continue;
            d.SetPixel(dx, dy, s.GetPixel(srcX, srcY));
        }
}

TEST(StretchBlt, NearestPixelScalingAndMirroringMatchTheRules) {
    std::mt19937 rng(8);
    std::uniform_int_distribution<int> pos(-20, 40), ext(-70, 70);
    const Bitmap32 src = Coded(33, 27, 2);
    for (int trial = 0; trial < 400; ++trial) {
        Bitmap32 dest = Coded(31, 25, 1), expected = dest;
        int x = pos(rng), y = pos(rng), w = ext(rng), h = ext(rng), sx = pos(rng), sy = pos(rng),
            sw = ext(rng), sh = ext(rng);
        StretchBlt(dest, x, y, w, h, src, sx, sy, sw, sh);
        ReferenceStretch(expected, x, y, w, h, src, sx, sy, sw, sh);
        ASSERT_TRUE(SamePixels(dest, expected))
            << "trial " << trial << ": " << x << "," << y << "," << w << "," << h << " <- " << sx
            << "," << sy << "," << sw << "," << sh;
    }
}

// A scaled copy within one bitmap reads the bitmap as it stood before the copy: squeezes,
// enlargements and mirrored copies over the bitmap's own pixels, with and without a clip region.
TEST(StretchBlt, InPlaceCopyReadsTheOldPixels) {
    std::mt19937 rng(130);
    std::uniform_int_distribution<int> pos(-15, 35), ext(-60, 60);
    for (int trial = 0; trial < 600; ++trial) {
        Bitmap32 b = Coded(29, 23, 1), expected = b;
        const Bitmap32 before = b;
        int x = pos(rng), y = pos(rng), w = ext(rng), h = ext(rng), sx = pos(rng), sy = pos(rng),
            sw = ext(rng), sh = ext(rng);
        if (trial % 4 == 0) {  // the squeezes and enlargements of the effects: whole rows
            x = 0;
            w = sw = 29;
            sx = 0;
        }
        std::optional<Region> clip;
        if (trial % 5 == 0) clip = Region(TRect{pos(rng), pos(rng), 25, 20});
        SelectClipRgn(b, clip ? &*clip : nullptr);
        StretchBlt(b, x, y, w, h, b, sx, sy, sw, sh);
        SelectClipRgn(expected, clip ? &*clip : nullptr);
        ReferenceStretch(expected, x, y, w, h, before, sx, sy, sw, sh);
        if (clip)  // the reference draws past the clip: put back what the clip keeps
            for (int py = 0; py < 23; ++py)
                for (int px = 0; px < 29; ++px)
                    if (!clip->Contains(px, py)) expected.SetPixel(px, py, before.GetPixel(px, py));
        ASSERT_TRUE(SamePixels(b, expected))
            << "trial " << trial << ": " << x << "," << y << "," << w << "," << h << " <- " << sx
            << "," << sy << "," << sw << "," << sh;
    }
}

TEST(StretchBlt, MirroredBandsOfTheUnrollGiveExactColumns) {
    // A band of s columns ending at X + s - 1 mirrors picture columns X + s .. X + 2s - 1.
    const Bitmap32 picture = Coded(1000, 4, 2);
    Bitmap32 screen(1000, 4, 0);
    const int X = 300, s = 100;
    StretchBlt(screen, X + s - 1, 0, -s, 4, picture, X + s, 0, s, 4);
    EXPECT_EQ(screen.GetPixel(399, 0), Code(400, 0, 2));
    EXPECT_EQ(screen.GetPixel(300, 3), Code(499, 3, 2));
    EXPECT_EQ(screen.GetPixel(299, 0), 0u);
    EXPECT_EQ(screen.GetPixel(400, 0), 0u);
    // A zero extent draws nothing; a five-fold widening repeats each column five times.
    StretchBlt(screen, 0, 0, 0, 4, picture, 0, 0, 10, 4);
    EXPECT_EQ(screen.GetPixel(0, 0), 0u);
    StretchBlt(screen, 500, 0, 500, 4, picture, 500, 0, 100, 4);
    EXPECT_EQ(screen.GetPixel(504, 1), Code(500, 1, 2));
    EXPECT_EQ(screen.GetPixel(505, 1), Code(501, 1, 2));
    EXPECT_EQ(screen.GetPixel(999, 1), Code(599, 1, 2));
}

TEST(StretchBlt, RespectsTheClipRegion) {
    const Bitmap32 src = Coded(16, 16, 2);
    Bitmap32 dest(16, 16, 0);
    Region clip = CreateEllipticRgn(0, 0, 16, 16);
    SelectClipRgn(dest, &clip);
    StretchBlt(dest, 0, 0, 16, 16, src, 0, 0, 8, 8);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(dest.GetPixel(x, y), clip.Contains(x, y) ? Code(x / 2, y / 2, 2) : 0u);
}

TEST(FrameRectInside, DrawsAPenOfTheGivenWidthInsideTheRectangle) {
    Bitmap32 b(20, 20, 0);
    FrameRectInside(b, TRect{2, 2, 18, 18}, 3, 9);
    EXPECT_EQ(b.GetPixel(2, 2), 9u);
    EXPECT_EQ(b.GetPixel(4, 10), 9u);
    EXPECT_EQ(b.GetPixel(5, 10), 0u);
    EXPECT_EQ(b.GetPixel(17, 17), 9u);
    EXPECT_EQ(b.GetPixel(18, 18), 0u);
    EXPECT_EQ(b.GetPixel(10, 10), 0u);
}

}  // namespace
}  // namespace corvane
