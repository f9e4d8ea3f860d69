#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "effects/families/RevealTestSupport.h"

namespace corvane {
namespace {

using test::Frame;
using test::Runs;
using test::Triangle;

TEST(RectangleGrids, BandsAndStrips) {
    // 800 x 600 at progress 50: bands 30 rows high centred on rows 60, 150, ..., 510 (the one
    // centred on -30 lies above the frame); strips of 200 columns at the pitch X = 400.
    const Runs bands{{45, 74}, {135, 164}, {225, 254}, {315, 344}, {405, 434}, {495, 524}};
    Frame left(800, 600);
    left.Run(145, 400, 300, 50);
    EXPECT_EQ(test::RunsInColumn(left.Screen, 300), bands);
    EXPECT_EQ(test::RunsInRow(left.Screen, 100), (Runs{{0, 199}, {400, 599}}));
    EXPECT_EQ(test::RunsInRow(left.Screen, 45), (Runs{{0, 799}}));

    Frame right(800, 600);
    right.Run(146, 400, 300, 50);
    EXPECT_EQ(test::RunsInColumn(right.Screen, 300), (Runs{{0, 599}}));
    EXPECT_EQ(test::RunsInColumn(right.Screen, 100), bands);
    EXPECT_EQ(test::RunsInRow(right.Screen, 100), (Runs{{200, 399}, {600, 799}}));
}

// The vertical grids are the horizontal ones with x and y exchanged.
TEST(RectangleGrids, VerticalEntriesAreTheTransposedHorizontalOnes) {
    const std::pair<int, int> pairs[] = {{145, 147}, {146, 148}};
    for (auto [W, H] : {std::pair{97, 61}, std::pair{40, 130}})
        for (int progress : {1, 17, 50, 83, 99})
            for (auto [horizontal, vertical] : pairs) {
                const TExtents e = ProgressExtents(W, H, progress);
                Frame f(W, H);
                f.Run(horizontal, e.X, e.Y, progress);
                const Bitmap32 t = test::RunTransposed(vertical, W, H, e.X, e.Y, progress);
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x)
                        ASSERT_EQ(f.Screen.GetPixel(x, y), t.GetPixel(x, y))
                            << "entries " << horizontal << " and " << vertical << " at " << progress
                            << ", pixel " << x << "," << y;
            }
}

TEST(RectangleGrids, NothingShowsWithoutABandUnitOrAPitch) {
    struct Case {
        int Effect, W, H;
    };
    // Less than 20 pixels across the bands: the band unit is 0 at every progress.
    for (const Case& c :
         {Case{145, 800, 19}, Case{146, 800, 19}, Case{147, 19, 800}, Case{148, 19, 800}})
        for (int progress : {1, 50, 99}) {
            const TExtents e = ProgressExtents(c.W, c.H, progress);
            Frame f(c.W, c.H);
            f.Run(c.Effect, e.X, e.Y, progress);
            EXPECT_TRUE(test::NothingRevealed(f.Screen)) << c.Effect << " at " << progress;
        }
    // Progress 1 on 640 x 480: empty strips and empty bands.
    for (int effect : {145, 146, 147, 148}) {
        Frame f(640, 480);
        f.Run(effect, 6, 5, 1);
        EXPECT_TRUE(test::NothingRevealed(f.Screen)) << effect;
    }
    // A zero pitch draws nothing even where the bands would show.
    for (auto [effect, X, Y] : {std::tuple{145, 0, 300}, std::tuple{146, 0, 300},
                                std::tuple{147, 400, 0}, std::tuple{148, 400, 0}}) {
        Frame f(800, 600);
        f.Run(effect, X, Y, 50);
        EXPECT_TRUE(test::NothingRevealed(f.Screen)) << effect;
    }
}

struct TriangleCase {
    int Effect, W, H, X, Y;
    std::vector<Triangle> Triangles;  // worked out by hand from the entry's row
};

TEST(VRevealsAndBowTies, RevealTheTrianglesOfTheirRows) {
    const TriangleCase cases[] = {
        // 800 x 600 at progress 50: the V's point touches the middle of the opposite edge.
        {153, 800, 600, 400, 300, {{0, 0, 800, 300, 0, 600}}},
        {154, 800, 600, 400, 300, {{800, 0, 0, 300, 800, 600}}},
        {155, 800, 600, 400, 300, {{0, 0, 400, 600, 800, 0}}},
        {156, 800, 600, 400, 300, {{0, 600, 400, 0, 800, 600}}},
        // The horizontal bow tie's points meet at the centre half way, the vertical one's cross.
        {157, 800, 600, 400, 300, {{0, 0, 400, 300, 0, 600}, {800, 0, 400, 300, 800, 600}}},
        {158, 800, 600, 400, 300, {{0, 0, 400, 600, 800, 0}, {0, 600, 400, 0, 800, 600}}},
        // Odd sizes: the centre lines are W div 2 and H div 2.
        {153, 801, 601, 100, 75, {{0, 225, 200, 300, 0, 375}}},
        {154, 801, 601, 100, 75, {{801, 225, 601, 300, 801, 375}}},
        {155, 801, 601, 100, 75, {{300, 0, 400, 150, 500, 0}}},
        {156, 801, 601, 100, 75, {{300, 601, 400, 451, 500, 601}}},
        {157, 801, 601, 100, 150, {{0, 150, 100, 300, 0, 450}, {801, 150, 701, 300, 801, 450}}},
        {158, 801, 601, 100, 75, {{300, 0, 400, 150, 500, 0}, {300, 601, 400, 451, 500, 601}}},
    };
    for (const TriangleCase& c : cases) {
        Frame f(c.W, c.H);
        f.Run(c.Effect, c.X, c.Y, 50);
        EXPECT_TRUE(test::MatchesTriangles(f.Screen, c.Triangles))
            << "effect " << c.Effect << " on " << c.W << "x" << c.H << " at X=" << c.X
            << ", Y=" << c.Y;
    }
}

TEST(GridsAndVReveals, DegenerateFrames) {
    test::ExpectSoundOnDegenerateFrames({145, 146, 147, 148, 153, 154, 155, 156, 157, 158});
    // Each triangle needs both extents: with either at 0 nothing shows.
    for (int effect : {153, 154, 155, 156, 157, 158})
        for (auto [X, Y] : {std::pair{0, 0}, std::pair{0, 75}, std::pair{100, 0}}) {
            Frame f(200, 150);
            f.Run(effect, X, Y, 50);
            EXPECT_TRUE(test::NothingRevealed(f.Screen))
                << "effect " << effect << " at X=" << X << ", Y=" << Y;
        }
}

}  // namespace
}  // namespace corvane
