#include <gtest/gtest.h>

#include <random>

#include "effects/EffectTestSupport.h"
#include "effects/Random.h"
#include "effects/StripRegions.h"

namespace corvane {
namespace {

using test::Frame;

TEST(Fade, WorkedExampleAtFiftyRoundsDownAndKeepsTheFourthByte) {
    // Old and new bytes (blue, green, red, fourth): 200 -> 100, 101 -> 100, 100 -> 101.
    Bitmap32 screen(3, 2, 0xAB6465C8u), picture(3, 2, 0x07656464u);
    Effects[118].Proc(screen, picture, 3, 2, 2, 1, 50);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(screen.GetPixel(x, y), 0xAB646496u) << x << "," << y;
}

// Every byte of random pictures against the rule, at sizes whose pixel counts leave every
// remainder after whole vectors.
TEST(Fade, EveryByteFollowsTheRule) {
    std::mt19937 rng(118);
    for (auto [W, H] : {std::pair{1, 1}, {3, 5}, {17, 3}, {33, 7}, {641, 3}}) {
        Bitmap32 screen(W, H), picture(W, H);
        for (size_t i = 0; i < screen.PixelCount(); ++i) {
            screen.Bits()[i] = rng();
            picture.Bits()[i] = rng();
        }
        for (int progress : {1, 2, 49, 50, 51, 98, 99}) {
            Bitmap32 frame = screen;
            Effects[118].Proc(frame, picture, W, H, 0, 0, progress);
            const int a = (256 * progress + 50) / 100;
            for (size_t i = 0; i < frame.PixelCount(); ++i)
                for (int shift = 0; shift < 32; shift += 8) {
                    const int d = int(screen.Bits()[i] >> shift & 0xFF);
                    const int s = int(picture.Bits()[i] >> shift & 0xFF);
                    const int expected = shift == 24 ? d : d + ((s - d) * a >> 8);
                    ASSERT_EQ(int(frame.Bits()[i] >> shift & 0xFF), expected)
                        << W << "x" << H << " at " << progress << ", pixel " << i;
                }
        }
    }
}

// Each speckle entry reveals exactly its builder's region, drawn from the same generator state,
// and advances the generator as the builder does.
TEST(Speckles, RevealTheirBuildersRegion) {
    const struct {
        int Effect, HorzMode, VertMode;
    } entries[] = {{123, 1, 0}, {124, 2, 0}, {125, 0, 1}, {126, 0, 2}};
    for (const auto& e : entries)
        for (int progress : {1, 40, 95}) {
            const int W = 230, H = 210, X = W * progress / 100, Y = H * progress / 100;
            SetRandomState(77);
            Frame f(W, H);
            f.Run(e.Effect, X, Y, progress);
            const uint32_t after = RandomState();
            SetRandomState(77);
            const std::optional<Region> region = SpeckleRegion(X, Y, W, H, e.HorzMode, e.VertMode);
            ASSERT_TRUE(region);
            EXPECT_EQ(RandomState(), after);
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    ASSERT_EQ(f.At(x, y), region->Contains(x, y) ? test::Pos(x, y) : "old")
                        << "effect " << e.Effect << " at " << progress << ", pixel " << x << ","
                        << y;
        }
}

// At X = 0 the band is empty, but the square next to the edge is always there: with W = 800 the
// squares are 4 pixels, rows start every 2 pixels, and slots 1 and 2 are always filled.
TEST(Speckles, FirstFrameAlreadyShowsTheSquaresAtTheEdge) {
    Frame f(800, 40);
    f.Run(123, 0, 0, 1);
    for (int y = 0; y < 40; ++y) {
        EXPECT_EQ(f.At(799, y), test::Pos(799, y)) << y;
        EXPECT_EQ(f.At(792, y), test::Pos(792, y)) << y;
    }
    Frame g(40, 800);
    g.Run(126, 0, 0, 1);
    EXPECT_EQ(g.At(5, 0), test::Pos(5, 0));
}

// Random squares: on 800 x 600 the cells are 26 x 26, 31 columns of 24, drawn column by column
// from a generator seeded with 18200; a cell shows the new picture when its number is below
// the progress, so frames grow monotonically, repeat exactly and leave the generator alone.
TEST(RandomSquares, CellsFollowTheSeededDrawsInColumnOrder) {
    int numbers[31][24];
    SetRandomState(18200);
    for (auto& column : numbers)
        for (int& r : column) r = Random(100);
    for (int progress : {1, 30, 31, 70, 99}) {
        SetRandomState(123456);
        Frame f(800, 600);
        f.Run(127, 8 * progress, 6 * progress, progress);
        EXPECT_EQ(RandomState(), 123456u);
        for (int c = 0; c < 31; ++c)
            for (int r = 0; r < 24; ++r) {
                const bool shown = numbers[c][r] < progress;
                // The cell's corners; the last column and row are cut by the frame's edge.
                const int x0 = 26 * c, y0 = 26 * r, x1 = std::min(x0 + 25, 799),
                          y1 = std::min(y0 + 25, 599);
                for (auto [x, y] : {std::pair{x0, y0}, {x1, y1}})
                    ASSERT_EQ(f.At(x, y), shown ? test::Pos(x, y) : "old")
                        << "progress " << progress << ", cell " << c << "," << r;
            }
    }
}

TEST(RandomSquares, NoCellBelowTheProgressDrawsNothing) {
    // A 1 x 1 frame has one cell, whose number from seed 2 is not below 1.
    SetRandomState(2);
    const int r = Random(100);
    ASSERT_GE(r, 1);
    Frame f(1, 1);
    f.Run(127, 0, 0, 1);
    EXPECT_EQ(f.At(0, 0), "old");
}

}  // namespace
}  // namespace corvane
