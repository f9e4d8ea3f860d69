#include <gtest/gtest.h>

#include "effects/EffectTestSupport.h"
#include "effects/Random.h"

namespace corvane {
namespace {

using test::Frame;

// A byte-wise blend of two pixels by percent, with the rounding of the blend rule.
Pixel Blend(Pixel d, Pixel s, int percent) {
    const int a = (256 * percent + 50) / 100;
    Pixel out = d & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int dc = int(d >> shift & 0xFF), sc = int(s >> shift & 0xFF);
        out |= Pixel(dc + ((sc - dc) * a >> 8)) << shift;
    }
    return out;
}

// 800 x 600, the worked examples: at 1 the old picture enlarged by about 11 per cent about its
// centre (source block 14, 11, 772 x 578 onto -28, -22, 856 x 644); at 50 the 16 x 12 centre block,
// half blended, with each source pixel a block of 148 x 148 (onto -784, -588, 2368 x 1776); at
// 60 the new picture's 70 x 70 centre block (365, 274, 70 x 52) enlarged, without a blend.
TEST(Pixelate, WorkedExamplesOn800By600) {
    {
        Frame f(800, 600);
        f.Run(168, 8, 6, 1);
        EXPECT_EQ(f.At(400, 300), "old");
        EXPECT_EQ(f.Screen.GetPixel(0, 0), test::Code(39, 31, test::kOldTag));
        EXPECT_EQ(f.Screen.GetPixel(799, 599), test::Code(760, 568, test::kOldTag));
    }
    {
        Frame f(800, 600);
        const Bitmap32 old = f.Screen;
        f.Run(168, 400, 300, 50);
        // Screen column x shows source column 392 + (x + 784) div 148, row y source row
        // 294 + (y + 588) div 148.
        auto shows = [&](int sx, int sy) {
            return Blend(old.GetPixel(sx, sy), f.Picture.GetPixel(sx, sy), 50);
        };
        EXPECT_EQ(f.Screen.GetPixel(0, 0), shows(397, 297));
        EXPECT_EQ(f.Screen.GetPixel(103, 3), shows(397, 297));
        EXPECT_EQ(f.Screen.GetPixel(104, 0), shows(398, 297));
        EXPECT_EQ(f.Screen.GetPixel(0, 4), shows(397, 298));
        EXPECT_EQ(f.Screen.GetPixel(251, 151), shows(398, 298));
        EXPECT_EQ(f.Screen.GetPixel(252, 152), shows(399, 299));
        EXPECT_EQ(f.Screen.GetPixel(799, 599), shows(402, 302));
    }
    {
        Frame f(800, 600);
        f.Run(168, 480, 360, 60);
        EXPECT_EQ(f.At(400, 300), test::Pos(400, 300));
        EXPECT_EQ(f.At(0, 0), test::Pos(387, 290));
        for (int y = 0; y < 600; y += 7)
            for (int x = 0; x < 800; x += 7)
                ASSERT_EQ(test::CodeTag(f.Screen.GetPixel(x, y)), test::kNewTag) << x << "," << y;
    }
}

// The reference: one Random(100) per unit in the stated order from state W + H; a unit shows the
// new picture when its number is below the progress.
Bitmap32 Expected(int effect, int W, int H, int progress) {
    Frame f(W, H);
    SetRandomState(uint32_t(W + H));
    auto copy = [&](int x, int y) { f.Screen.SetPixel(x, y, f.Picture.GetPixel(x, y)); };
    if (effect == 169) {
        for (int y = H - 1; y >= 0; --y)
            for (int x = 0; x < W; ++x)
                if (Random(100) < progress) copy(x, y);
    } else if (effect == 170) {
        for (int y = H - 1; y >= 0; --y)
            if (Random(100) < progress)
                for (int x = 0; x < W; ++x) copy(x, y);
    } else {
        for (int x = 0; x < W; ++x)
            if (Random(100) < progress)
                for (int y = 0; y < H; ++y) copy(x, y);
    }
    return f.Screen;
}

int CountNew(const Bitmap32& b) {
    int n = 0;
    for (size_t i = 0; i < b.PixelCount(); ++i) n += test::CodeTag(b.Bits()[i]) == test::kNewTag;
    return n;
}

// Every unit follows its own number, whatever the generator held before; the generator is left
// as it was; a higher progress shows a superset of what a lower one showed; a repeated frame is
// identical. The sizes leave every remainder after whole vectors and chunks of columns.
TEST(DissolveAndRandomBars, FollowTheSeededDrawsAndLeaveTheGeneratorAlone) {
    for (int effect : {169, 170, 171})
        for (auto [W, H] : {std::pair{1, 1}, {37, 23}, {64, 3}, {1100, 5}}) {
            Bitmap32 lower;
            for (int progress : {1, 2, 50, 51, 99}) {
                const Bitmap32 expected = Expected(effect, W, H, progress);
                for (uint32_t before : {0u, 99u}) {
                    SetRandomState(before);
                    Frame f(W, H);
                    f.Run(effect, 0, 0, progress);
                    ASSERT_EQ(RandomState(), before);
                    for (size_t i = 0; i < expected.PixelCount(); ++i)
                        ASSERT_EQ(f.Screen.Bits()[i], expected.Bits()[i])
                            << "effect " << effect << " " << W << "x" << H << " at " << progress
                            << ", pixel " << i;
                }
                if (!lower.Empty()) {
                    for (size_t i = 0; i < expected.PixelCount(); ++i) {
                        if (test::CodeTag(lower.Bits()[i]) == test::kNewTag) {
                            ASSERT_EQ(expected.Bits()[i], lower.Bits()[i]);
                        }
                    }
                }
                lower = expected;
            }
        }
}

// About Progress per cent of the units switch; at 1 only the units whose number is 0.
TEST(DissolveAndRandomBars, ShareOfNewUnitsFollowsTheProgress) {
    for (int progress : {1, 50, 99}) {
        Frame f(400, 300);
        f.Run(169, 0, 0, progress);
        EXPECT_NEAR(CountNew(f.Screen) / 1200.0, progress, 1.0) << progress;
    }
    Frame bars(10, 1000);
    bars.Run(170, 0, 0, 1);
    SetRandomState(1010);
    int zeros = 0;
    for (int y = 0; y < 1000; ++y) zeros += Random(100) == 0;
    EXPECT_EQ(CountNew(bars.Screen), 10 * zeros);
}

}  // namespace
}  // namespace corvane
