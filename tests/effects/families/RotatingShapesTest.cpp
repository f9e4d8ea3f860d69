#include <gtest/gtest.h>

#include <utility>

#include "effects/EffectTestSupport.h"
#include "effects/FrameComposer.h"
#include "effects/Random.h"
#include "effects/families/RevealChecks.h"

namespace corvane {
namespace {

using test::Frame;
using test::Pos;
using test::Probe;
using test::NewPixels;
using test::Rendered;
using test::ShowsNew;

const int kEntries[] = {149, 150, 151, 152, 161, 164};

struct Example {
    int Effect, W, H, Progress;
    std::vector<Probe> Probes;
};

TEST(RotatingShapes, WorkedExamples) {
    const Example examples[] = {
        // The 200 x 150 rectangle turned by 90 degrees: upright, 150 wide and 200 high, from
        // (325, 200) to (475, 400).
        {149,
         800,
         600,
         25,
         {{325, 200, true},
          {474, 399, true},
          {400, 300, true},
          {324, 300, false},
          {475, 300, false},
          {400, 199, false},
          {400, 400, false}}},
        // The star half way, turned by 180 degrees: its tips lie outside the frame, so it reaches
        // every side's middle; its inner corners are the corners of the 400 x 300 rectangle.
        {150,
         800,
         600,
         50,
         {{0, 300, true},
          {400, 0, true},
          {799, 300, true},
          {400, 599, true},
          {250, 150, true},
          {150, 150, false},
          {0, 0, false},
          {799, 599, false},
          {799, 0, false}}},
        // The blades half way: each covers the half of its side next to its corner, leaving the
        // other half of the side to the old picture.
        {161,
         800,
         600,
         50,
         {{2, 150, true},
          {2, 450, false},
          {200, 597, true},
          {600, 597, false},
          {797, 450, true},
          {797, 150, false},
          {600, 2, true},
          {200, 2, false}}},
        // Circles of radius 46 on the lattice of half-pitch 61: the cell corners stay old.
        {152,
         800,
         600,
         50,
         {{15, 61, true},
          {14, 61, false},
          {61, 15, true},
          {61, 14, false},
          {106, 61, true},
          {107, 61, false},
          {122, 122, false},
          {0, 0, false},
          {61, 597, false}}},
        // Diamonds of half-diagonal 61 touch at their points along the rows of centres.
        {164,
         800,
         600,
         50,
         {{0, 61, true},
          {120, 61, true},
          {121, 61, false},
          {122, 61, true},
          {61, 100, true},
          {100, 100, false},
          {122, 122, false}}},
    };
    for (const Example& e : examples) {
        const Frame f = Rendered(e.Effect, e.W, e.H, e.Progress);
        for (const Probe& p : e.Probes)
            EXPECT_EQ(ShowsNew(f, p.X, p.Y), p.New)
                << "effect " << e.Effect << " at " << e.Progress << ", pixel " << p.X << "," << p.Y;
    }
}

TEST(RotatingShapes, TurnedRectangleIsExactlyTheUprightOne) {
    const Frame f = Rendered(149, 800, 600, 25);
    EXPECT_EQ(NewPixels(f), 150 * 200);
}

// At Progress 50 the spiral's point of rotation is the centre, so it shows what entry 149 does.
TEST(RotatingShapes, SpiralRectangleHalfWayIsTheRotationalOne) {
    for (auto [W, H] : {std::pair{800, 600}, std::pair{600, 800}}) {
        const Frame spiral = Rendered(151, W, H, 50), centred = Rendered(149, W, H, 50);
        EXPECT_GT(NewPixels(spiral), 0);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                ASSERT_EQ(spiral.Screen.GetPixel(x, y), centred.Screen.GetPixel(x, y))
                    << W << "x" << H << ", pixel " << x << "," << y;
    }
}

// Early on the spiral's rectangle swings out toward the top-left corner, where (X, Y) is.
TEST(RotatingShapes, SpiralRectangleTurnsAboutTheTravellingPoint) {
    // 800 x 600 at 25: the 200 x 150 rectangle turned by 90 degrees about (200, 150) lies over
    // x -25 to 125 and y 250 to 450.
    const Frame f = Rendered(151, 800, 600, 25);
    EXPECT_TRUE(ShowsNew(f, 0, 250));
    EXPECT_TRUE(ShowsNew(f, 124, 449));
    EXPECT_FALSE(ShowsNew(f, 125, 300));
    EXPECT_FALSE(ShowsNew(f, 50, 249));
    EXPECT_FALSE(ShowsNew(f, 400, 300));
    EXPECT_EQ(NewPixels(f), 125 * 200);
}

TEST(RotatingShapes, StarburstAtTheFirstFrameShowsTwoThinBlades) {
    // 30 x 100 at Progress 1: X = 0 and Y = 1, so only the blades toward the top-left and the
    // bottom-right corners have any width.
    const Frame f = Rendered(161, 30, 100, 1);
    int64_t topLeft = 0, bottomRight = 0, elsewhere = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 30; ++x) {
            if (!ShowsNew(f, x, y)) continue;
            if (x < 15 && y < 50)
                ++topLeft;
            else if (x >= 15 && y >= 50)
                ++bottomRight;
            else
                ++elsewhere;
        }
    EXPECT_GT(topLeft, 0);
    EXPECT_GT(bottomRight, 0);
    EXPECT_EQ(elsewhere, 0);
    EXPECT_LT(topLeft + bottomRight, 100);
}

TEST(RotatingShapes, LatticeHasACellPerDoublePitch) {
    // 800 x 600: m = 61, columns at 61, 183, ..., 793 and rows at 61, 183, ..., 549; at
    // Progress 50 every lattice point shows the new picture and the points half way between
    // neighbours do not.
    for (int effect : {152, 164}) {
        const Frame f = Rendered(effect, 800, 600, 50);
        for (int u = 61; u <= 793; u += 122)
            for (int v = 61; v <= 549; v += 122) {
                EXPECT_TRUE(ShowsNew(f, u, v)) << effect << " at " << u << "," << v;
                EXPECT_FALSE(ShowsNew(f, u + 61, v + 61)) << effect << " at " << u << "," << v;
            }
    }
}

TEST(RotatingShapes, CirclesStartAtRadiusOneFromAShortSideOf330) {
    // r = MulDiv(3m, 1, 200) is 0 up to m = 33, a shorter side of 329.
    EXPECT_EQ(NewPixels(Rendered(152, 400, 329, 1)), 0);
    EXPECT_GT(NewPixels(Rendered(152, 400, 330, 1)), 0);
}

// Degenerate frames and zero extents: the routines reveal in place, leave no clip, draw nothing
// from the generator, and at X = Y = 0 on a small frame show nothing at all.
TEST(RotatingShapes, DegenerateFramesAndZeroExtents) {
    const int sizes[][2] = {{1, 1}, {1, 500}, {500, 1}, {2, 2}, {7, 5}, {41, 31}, {201, 151}};
    for (int effect : kEntries)
        for (const auto& size : sizes) {
            const int W = size[0], H = size[1];
            for (int progress : {1, 50, 99}) {
                for (bool zero : {false, true}) {
                    Frame f(W, H);
                    const TExtents e = zero ? TExtents{} : ProgressExtents(W, H, progress);
                    SetRandomState(12345);
                    f.Run(effect, e.X, e.Y, progress);
                    ASSERT_EQ(RandomState(), 12345u) << effect;
                    ASSERT_FALSE(f.Screen.Surface().ClipRegion().has_value()) << effect;
                    for (int y = 0; y < H; ++y)
                        for (int x = 0; x < W; ++x) {
                            const std::string shown = f.At(x, y);
                            ASSERT_TRUE(shown == "old" || shown == Pos(x, y))
                                << "effect " << effect << " " << W << "x" << H << " at " << progress
                                << ", pixel " << x << "," << y << ": " << shown;
                        }
                }
            }
        }
    for (int effect : kEntries)
        for (auto [W, H] : {std::pair{40, 30}, std::pair{41, 31}, std::pair{30, 40}}) {
            Frame f(W, H);
            f.Run(effect, 0, 0, 1);
            EXPECT_EQ(NewPixels(f), 0) << "effect " << effect << " " << W << "x" << H;
        }
}

}  // namespace
}  // namespace corvane
