#include <gtest/gtest.h>

#include <cstdlib>
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

const int kEntries[] = {159, 160, 162, 163, 165, 166, 167};

struct Example {
    int Effect, W, H, Progress;
    std::vector<Probe> Probes;
};

TEST(CrossesAndDiamonds, WorkedExamples) {
    const Example examples[] = {
        // 800 x 600 half way: the left triangle (0, 150), (200, 300), (0, 450), the top one
        // (200, 0), (400, 150), (600, 0), and their mirror images; the old picture keeps the
        // diagonal cross between them.
        {159,
         800,
         600,
         50,
         {{0, 150, true},
          {0, 149, false},
          {190, 300, true},
          {210, 300, false},
          {400, 140, true},
          {400, 160, false},
          {201, 0, true},
          {199, 0, false},
          {790, 300, true},
          {400, 590, true},
          {400, 300, false},
          {100, 100, false},
          {799, 599, false}}},
        // The first frame, X = 8 and Y = 6: a = 396 and b = 297, so only a thin diagonal cross
        // shows, through the centre and the corners.
        {160,
         800,
         600,
         1,
         {{400, 300, true},
          {0, 0, true},
          {799, 0, true},
          {0, 599, true},
          {799, 599, true},
          {100, 75, true},
          {100, 70, false},
          {100, 80, false},
          {0, 300, false},
          {400, 0, false}}},
        // 801 x 601, X = 8 and Y = 6: a = 396 and b = 297 (divisions truncated), so the left
        // triangle starts at row 3 and the top one at column 4.
        {160, 801, 601, 1, {{0, 2, true}, {0, 3, false}, {4, 0, true}, {5, 0, false}}},
        // A diamond of half-diagonals 400 and 300: its sides pass through the side midpoints.
        {165,
         800,
         600,
         50,
         {{400, 300, true},
          {5, 300, true},
          {400, 5, true},
          {200, 150, true},
          {199, 149, false},
          {0, 0, false},
          {799, 599, false}}},
        // The first frame: the diamond (-392, 300), (400, -294), (1192, 300), (400, 894) covers
        // all but the four corners.
        {166,
         800,
         600,
         1,
         {{0, 0, true},
          {799, 0, true},
          {0, 599, true},
          {799, 599, true},
          {20, 20, false},
          {400, 300, false},
          {400, 0, false},
          {0, 300, false}}},
    };
    for (const Example& e : examples) {
        const Frame f = Rendered(e.Effect, e.W, e.H, e.Progress);
        for (const Probe& p : e.Probes)
            EXPECT_EQ(ShowsNew(f, p.X, p.Y), p.New)
                << "effect " << e.Effect << " at " << e.Progress << ", pixel " << p.X << "," << p.Y;
    }
    EXPECT_LT(NewPixels(Rendered(160, 800, 600, 1)), 800 * 600 / 50);
    // Each corner of the diamond-in's first frame holds the pixels whose centres lie beyond the
    // line 3x + 4y = 24 through (8, 0) and (0, 6): 7 + 6 + 5 + 3 + 2 + 1 of them.
    EXPECT_EQ(NewPixels(Rendered(166, 800, 600, 1)), 4 * 24);
}

// The cross-out's triangles are those of the cross-in at the complementary size, so at half way
// the two show complementary parts of the frame.
TEST(CrossesAndDiamonds, CrossOutHalfWayIsTheFrameMinusTheCrossIn) {
    for (auto [W, H] : {std::pair{800, 600}, std::pair{600, 800}}) {
        const Frame in = Rendered(159, W, H, 50), out = Rendered(160, W, H, 50);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                ASSERT_NE(ShowsNew(in, x, y), ShowsNew(out, x, y))
                    << W << "x" << H << ", pixel " << x << "," << y;
    }
}

// The two edges of a zigzag band are the same zigzag 2d apart, so every column (every row for the
// vertical one) shows exactly 2d pixels of the new picture in one run, its near edge within a
// pixel of the zigzag through levels A0 and A1.
TEST(CrossesAndDiamonds, ZigzagBandsAreTwoDThickAlongTheirLevels) {
    struct Case {
        int Effect, W, H, Step, A0, A1, TwoD;
    };
    const Case cases[] = {
        // 800 x 600 half way: s = 80, g = 60, d = 30 + 150 = 180; A0 = 180, A1 = 60.
        {162, 800, 600, 80, 180, 60, 360},
        // The same frame for the vertical zigzag: s = 60, g = 80, d = 40 + 200 = 240;
        // A0 = 240, A1 = 80.
        {163, 800, 600, 60, 240, 80, 480},
    };
    for (const Case& c : cases) {
        const Frame f = Rendered(c.Effect, c.W, c.H, 50);
        const bool horizontal = c.Effect == 162;
        const int lines = horizontal ? c.W : c.H, length = horizontal ? c.H : c.W;
        for (int line = 0; line < lines; ++line) {
            int first = -1, count = 0, runs = 0;
            bool inside = false;
            for (int k = 0; k < length; ++k) {
                const bool isNew = horizontal ? ShowsNew(f, line, k) : ShowsNew(f, k, line);
                if (isNew && first < 0) first = k;
                if (isNew && !inside) ++runs;
                count += isNew;
                inside = isNew;
            }
            ASSERT_EQ(count, c.TwoD) << "effect " << c.Effect << ", line " << line;
            ASSERT_EQ(runs, 1) << "effect " << c.Effect << ", line " << line;
            if (line % c.Step == 0) {
                const int level = (line / c.Step) % 2 == 0 ? c.A0 : c.A1;
                EXPECT_LE(std::abs(first - level), 1)
                    << "effect " << c.Effect << ", line " << line << " starts at " << first;
            }
        }
    }
}

TEST(CrossesAndDiamonds, ZigzagOnAFrameUnderTenPixelsLongShowsNothing) {
    // s = 0: every point lies on one line and the polygon is empty.
    EXPECT_EQ(NewPixels(Rendered(162, 9, 100, 50)), 0);
    EXPECT_EQ(NewPixels(Rendered(163, 100, 9, 50)), 0);
}

TEST(CrossesAndDiamonds, DiagonalBoxOnAnOddWidthIsCentredOneColumnShort) {
    // W = 801: cx = 400 and 2cx = 800. At X = 80 and Y = 60 the band along the centre row runs
    // 40 columns inward from the left edge and 40 columns inward from column 800, the last one.
    Frame f(801, 600);
    f.Run(167, 80, 60, 10);
    EXPECT_TRUE(ShowsNew(f, 0, 300));
    EXPECT_TRUE(ShowsNew(f, 40, 300));
    EXPECT_FALSE(ShowsNew(f, 41, 300));
    EXPECT_FALSE(ShowsNew(f, 758, 300));
    EXPECT_TRUE(ShowsNew(f, 759, 300));
    EXPECT_TRUE(ShowsNew(f, 800, 300));
    // The band's corners on the centre lines: (400, 0) lies on the diamond through the side
    // midpoints, inside the band; the centre lies inside the inner diamond.
    EXPECT_TRUE(ShowsNew(f, 400, 0));
    EXPECT_TRUE(ShowsNew(f, 400, 599));
    EXPECT_FALSE(ShowsNew(f, 400, 300));
}

// Degenerate frames and zero extents: the routines reveal in place, leave no clip, draw nothing
// from the generator, and at X = Y = 0 on a small frame of even sides show nothing at all.
TEST(CrossesAndDiamonds, DegenerateFramesAndZeroExtents) {
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
        for (auto [W, H] : {std::pair{40, 30}, std::pair{30, 40}}) {
            Frame f(W, H);
            f.Run(effect, 0, 0, 1);
            EXPECT_EQ(NewPixels(f), 0) << "effect " << effect << " " << W << "x" << H;
        }
}

}  // namespace
}  // namespace corvane
