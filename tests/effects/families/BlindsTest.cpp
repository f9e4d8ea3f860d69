#include <gtest/gtest.h>

#include "effects/families/RevealTestSupport.h"

namespace corvane {
namespace {

using test::Frame;
using test::Runs;

struct RunCase {
    int Effect, W, H, X, Y, Progress;
    bool Row;  // runs along a row, else along a column
    int Line;
    Runs Expected;
};

void ExpectRuns(const RunCase& c) {
    Frame f(c.W, c.H);
    f.Run(c.Effect, c.X, c.Y, c.Progress);
    EXPECT_EQ(test::RunsAlong(f.Screen, c.Row, c.Line), c.Expected)
        << "effect " << c.Effect << " on " << c.W << "x" << c.H << " at " << c.Progress;
}

TEST(Blinds, SlatsOpenAboutFixedCentres) {
    // 800 wide: half-pitch 21, slats centred at 21, 63, ..., 819; at progress 50 each is 22 wide
    // (d = 10.5 rounded up); the one at 819 lies beyond the edge.
    Frame vertical(800, 600);
    vertical.Run(136, 400, 300, 50);
    Runs runs = test::RunsInRow(vertical.Screen, 0);
    ASSERT_EQ(runs.size(), 19u);
    EXPECT_EQ(runs[0], (std::pair{10, 31}));
    EXPECT_EQ(runs[1], (std::pair{52, 73}));
    EXPECT_EQ(runs[18], (std::pair{766, 787}));
    EXPECT_EQ(test::RunsInColumn(vertical.Screen, 20), (Runs{{0, 599}}));

    // 600 high: half-pitch 16, 19 slats centred at 16, ..., 592, the last ending at the edge.
    Frame horizontal(800, 600);
    horizontal.Run(137, 400, 300, 50);
    runs = test::RunsInColumn(horizontal.Screen, 0);
    ASSERT_EQ(runs.size(), 19u);
    EXPECT_EQ(runs[0], (std::pair{8, 23}));
    EXPECT_EQ(runs[18], (std::pair{584, 599}));
}

TEST(Blinds, UnevenStripsFillTheirPitchFromTheNamedSide) {
    const RunCase cases[] = {
        // Pitch X = 400, strips 200 wide.
        {138, 800, 600, 400, 300, 50, true, 10, {{0, 199}, {400, 599}}},
        {139, 800, 600, 400, 300, 50, true, 10, {{200, 399}, {600, 799}}},
        // Pitch 80, strips 8 wide.
        {138,
         800,
         600,
         80,
         60,
         10,
         true,
         0,
         {{0, 7},
          {80, 87},
          {160, 167},
          {240, 247},
          {320, 327},
          {400, 407},
          {480, 487},
          {560, 567},
          {640, 647},
          {720, 727}}},
        // Odd width: the strips are anchored at the right edge, the last cut off at the left.
        {139, 801, 10, 300, 4, 30, true, 5, {{111, 200}, {411, 500}, {711, 800}}},
        {140, 800, 600, 400, 300, 50, false, 10, {{0, 149}, {300, 449}}},
        {141, 800, 600, 400, 300, 50, false, 10, {{150, 299}, {450, 599}}},
        // The strip width rounds to 0 (MulDiv(8, 1, 100)): nothing shows.
        {138, 800, 600, 8, 6, 1, true, 0, {}},
        {141, 800, 600, 8, 6, 1, false, 0, {}},
    };
    for (const RunCase& c : cases) ExpectRuns(c);
}

// The horizontal blinds are the vertical ones with x and y exchanged.
TEST(Blinds, HorizontalEntriesAreTheTransposedVerticalOnes) {
    const std::pair<int, int> pairs[] = {{136, 137}, {138, 140}, {139, 141}};
    for (auto [W, H] : {std::pair{97, 61}, std::pair{40, 130}})
        for (int progress : {1, 17, 50, 83, 99})
            for (auto [vertical, horizontal] : pairs) {
                const TExtents e = ProgressExtents(W, H, progress);
                Frame f(W, H);
                f.Run(vertical, e.X, e.Y, progress);
                const Bitmap32 t = test::RunTransposed(horizontal, W, H, e.X, e.Y, progress);
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x)
                        ASSERT_EQ(f.Screen.GetPixel(x, y), t.GetPixel(x, y))
                            << "entries " << vertical << " and " << horizontal << " at " << progress
                            << ", pixel " << x << "," << y;
            }
}

TEST(Blinds, DegenerateFrames) {
    test::ExpectSoundOnDegenerateFrames({136, 137, 138, 139, 140, 141});
    // A pitch of 0 draws nothing; the fixed blinds do not depend on the extents.
    for (int effect : {136, 137, 138, 139, 140, 141}) {
        Frame f(200, 150);
        f.Run(effect, 0, 0, 50);
        EXPECT_EQ(test::NothingRevealed(f.Screen), effect >= 138) << "effect " << effect;
    }
    Frame onlyX(200, 150);
    onlyX.Run(140, 100, 0, 50);
    EXPECT_TRUE(test::NothingRevealed(onlyX.Screen));
    Frame onlyY(200, 150);
    onlyY.Run(139, 0, 75, 50);
    EXPECT_TRUE(test::NothingRevealed(onlyY.Screen));
}

}  // namespace
}  // namespace corvane
