#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "effects/families/RevealTestSupport.h"

namespace corvane {
namespace {

using test::Frame;
using test::Runs;

TEST(RectangularShred, SquaresOnALatticeFromTheShorterSide) {
    // 800 x 600: half-pitch 61, seven columns and five rows of squares 62 wide at progress 50.
    Frame landscape(800, 600);
    landscape.Run(142, 400, 300, 50);
    Runs runs = test::RunsInRow(landscape.Screen, 61);
    ASSERT_EQ(runs.size(), 7u);
    EXPECT_EQ(runs[0], (std::pair{30, 91}));
    EXPECT_EQ(runs[1], (std::pair{152, 213}));
    EXPECT_EQ(runs[6], (std::pair{762, 799}));  // centred at 793, cut off at the edge
    runs = test::RunsInColumn(landscape.Screen, 61);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0], (std::pair{30, 91}));
    EXPECT_EQ(runs[4], (std::pair{518, 579}));
    EXPECT_TRUE(test::KeepsOld(landscape.Screen, 122, 122));  // between four squares

    // A portrait frame takes the pitch from its width, so the cells stay square: 300 wide gives
    // half-pitch 31 both ways, five columns and thirteen rows.
    Frame portrait(300, 800);
    portrait.Run(142, 150, 400, 50);
    EXPECT_EQ(test::RunsInRow(portrait.Screen, 31),
              (Runs{{15, 46}, {77, 108}, {139, 170}, {201, 232}, {263, 294}}));
    runs = test::RunsInColumn(portrait.Screen, 31);
    ASSERT_EQ(runs.size(), 13u);
    EXPECT_EQ(runs[1], (std::pair{77, 108}));
    EXPECT_EQ(runs[12], (std::pair{759, 790}));

    // Half-pitch 5 on 49 x 49: at progress 1 the squares have no size.
    Frame small(49, 49);
    small.Run(142, 0, 0, 1);
    EXPECT_TRUE(test::NothingRevealed(small.Screen));
}

// Whether the pixel at the given clock angle (degrees, 0 at three o'clock, growing clockwise on
// the screen) and distance from the centre shows the new picture.
bool RevealedAt(const Frame& f, int cx, int cy, double degrees, double radius) {
    const double a = degrees * std::numbers::pi / 180;
    const int x = int(std::floor(cx + radius * std::cos(a)));
    const int y = int(std::floor(cy + radius * std::sin(a)));
    return test::ShowsNewInPlace(f.Screen, x, y);
}

TEST(Sweeps, TheHandTurnsFromTwelveOClock) {
    struct Case {
        int Effect, Progress;
        std::vector<double> Revealed, Kept;  // clock angles at radius 200 from (400, 300)
    };
    const Case cases[] = {
        // Progress 25: the arc ends one step short, at -3.6 degrees (or -176.4 anticlockwise).
        {143, 25, {-88, -45, -10, -5}, {-92, -2, 10, 90, 180}},
        {144, 25, {-92, -135, -170, -175}, {-88, -178, 170, 90, 0}},
        // Progress 99: a gap of two steps is left next to twelve o'clock.
        {143, 99, {-100, 0, 90, 180}, {-93, -91}},
        {144, 99, {-80, 0, 90, 180}, {-87, -89}},
    };
    for (const Case& c : cases) {
        Frame f(800, 600);
        f.Run(c.Effect, 0, 0, c.Progress);
        for (double a : c.Revealed)
            EXPECT_TRUE(RevealedAt(f, 400, 300, a, 200))
                << c.Effect << " at " << c.Progress << ", angle " << a;
        for (double a : c.Kept)
            EXPECT_FALSE(RevealedAt(f, 400, 300, a, 200))
                << c.Effect << " at " << c.Progress << ", angle " << a;
    }

    // The circle passes through the corners (radius 500 on 800 x 600).
    Frame corners(800, 600);
    corners.Run(143, 0, 0, 99);
    EXPECT_TRUE(test::ShowsNewInPlace(corners.Screen, 1, 1));
    EXPECT_TRUE(test::ShowsNewInPlace(corners.Screen, 798, 598));
    // The radius is rounded up: on 2 x 11 it is 6 (the square root of 26 is 5.1), which reaches
    // the bottom row, 5.5 below the centre (1, 5).
    Frame narrow(2, 11);
    narrow.Run(144, 0, 0, 99);
    EXPECT_EQ(test::RunsInRow(narrow.Screen, 10), (Runs{{0, 1}}));

    // The hand starts on column W div 2 above the centre: 401 on an 803-wide frame.
    Frame odd(803, 601);
    odd.Run(143, 0, 0, 50);
    EXPECT_TRUE(test::ShowsNewInPlace(odd.Screen, 401, 100));
    EXPECT_TRUE(test::KeepsOld(odd.Screen, 400, 100));

    // Progress 1: the centre and one arc point, nothing revealed.
    for (int effect : {143, 144}) {
        Frame first(800, 600);
        first.Run(effect, 0, 0, 1);
        EXPECT_TRUE(test::NothingRevealed(first.Screen)) << effect;
    }
}

TEST(RectangularShredAndSweeps, DegenerateFrames) {
    test::ExpectSoundOnDegenerateFrames({142, 143, 144});
}

}  // namespace
}  // namespace corvane
