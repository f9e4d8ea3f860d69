#include <gtest/gtest.h>

#include <tuple>

#include "effects/EffectTestSupport.h"
#include "platform/raster/Drawing.h"

namespace corvane {
namespace {

using test::Frame;

// The columns of row y that show the new picture, as "first..last" runs.
std::string NewColumns(const Frame& f, int y) {
    std::string runs;
    const int w = f.Screen.Width();
    for (int x = 0; x < w;) {
        if (test::CodeTag(f.Screen.GetPixel(x, y)) != test::kNewTag) {
            ++x;
            continue;
        }
        int last = x;
        while (last + 1 < w && test::CodeTag(f.Screen.GetPixel(last + 1, y)) == test::kNewTag)
            ++last;
        if (!runs.empty()) runs += ' ';
        runs += std::to_string(x) + ".." + std::to_string(last);
        x = last + 1;
    }
    return runs;
}

TEST(Pivots, TopAndBottomRowsOnTheWorkedExamples) {
    struct Case {
        int Effect, Progress;
        std::string Top, Bottom;
    };
    const Case cases[] = {
        // Just short of a quarter turn: a thin wedge, widest away from the pivot.
        {119, 1, "0..6", ""},
        {120, 1, "", "0..7"},
        {121, 1, "791..799", ""},
        {122, 1, "", "790..799"},
        // Still turned by 0.9 degrees, with the one-pixel offset.
        {119, 99, "0..789", "0..61"},
        {120, 99, "", "0..789"},
        {121, 99, "9..799", "736..799"},
        {122, 99, "", "9..799"},
    };
    for (const Case& c : cases) {
        Frame f(800, 600);
        f.Run(c.Effect, 8, 6, c.Progress);
        EXPECT_EQ(NewColumns(f, 0), c.Top) << "effect " << c.Effect << " at " << c.Progress;
        EXPECT_EQ(NewColumns(f, 599), c.Bottom) << "effect " << c.Effect << " at " << c.Progress;
    }
}

// Entry 120 at 30: a clockwise turn of 63 degrees about the top-left corner; the picture's
// top-left corner stays at the pivot and its turned top edge runs down to the right with a slope
// of about 2 (y > 1.96 (x + 2) shows the new picture).
TEST(Pivots, BottomLeftSwingsItsTopEdgeAboutTheTopLeftCorner) {
    Frame f(800, 600);
    f.Run(120, 240, 180, 30);
    for (auto [x, y, shown] : {std::tuple{0, 3, false},
                               {0, 4, true},
                               {100, 200, false},
                               {100, 201, true},
                               {200, 150, false},
                               {799, 0, false},
                               {300, 599, true},
                               {310, 599, false}})
        EXPECT_EQ(test::CodeTag(f.Screen.GetPixel(x, y)), shown ? test::kNewTag : test::kOldTag)
            << x << "," << y;
}

// The first copy of every push reads the old picture as it stood on entry, although source and
// destination overlap: the frame equals the two copies made from unchanged snapshots. At
// progress 0 both copies move nothing and the frame stays the old picture.
TEST(Pushes, MatchCopiesFromAnUnchangedSnapshot) {
    const int W = 97, H = 61;
    for (int n = 128; n <= 135; ++n)
        for (int progress : {0, 1, 13, 50, 77, 99}) {
            const int X = W * progress / 100, Y = H * progress / 100;
            Frame f(W, H);
            const Bitmap32 old = f.Screen;
            f.Run(n, X, Y, progress);
            Bitmap32 expected = old;
            const bool across = n <= 131, squeeze = n == 130 || n == 131 || n >= 134;
            const bool forward = n == 128 || n == 130 || n == 132 || n == 134;  // right or down
            const int shift = across ? X : Y;
            // Where the old picture goes, and where the slice of the new one lands.
            const int oldAt = forward ? shift : 0, newAt = forward ? 0 : (across ? W : H) - shift;
            const int newFrom = forward ? (across ? W : H) - shift : 0;
            if (across) {
                if (squeeze)
                    StretchBlt(expected, oldAt, 0, W - X, H, old, 0, 0, W, H);
                else
                    BitBlt(expected, oldAt, 0, W - X, H, old, forward ? 0 : X, 0);
                BitBlt(expected, newAt, 0, X, H, f.Picture, newFrom, 0);
            } else {
                if (squeeze)
                    StretchBlt(expected, 0, oldAt, W, H - Y, old, 0, 0, W, H);
                else
                    BitBlt(expected, 0, oldAt, W, H - Y, old, 0, forward ? 0 : Y);
                BitBlt(expected, 0, newAt, W, Y, f.Picture, 0, newFrom);
            }
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    ASSERT_EQ(f.Screen.GetPixel(x, y), expected.GetPixel(x, y))
                        << "effect " << n << " at " << progress << ", pixel " << x << "," << y;
        }
}

TEST(Pushes, SqueezeRightPacksFourOldColumnsIntoThreeAtX200) {
    Frame f(800, 2);
    f.Run(130, 200, 1, 25);
    EXPECT_EQ(f.At(0, 0), test::Pos(600, 0));
    EXPECT_EQ(f.At(199, 1), test::Pos(799, 1));
    // Columns 200 to 799 show all 800 old columns, nearest pixel: 3 columns advance 4.
    auto oldColumn = [&](int x) { return test::CodeX(f.Screen.GetPixel(x, 0)); };
    EXPECT_EQ(test::CodeTag(f.Screen.GetPixel(200, 0)), test::kOldTag);
    EXPECT_EQ(oldColumn(200), 0);
    EXPECT_EQ(oldColumn(203), 4);
    EXPECT_EQ(oldColumn(799), 799);
    for (int x = 201; x < 800; ++x) {
        const int step = oldColumn(x) - oldColumn(x - 1);
        ASSERT_TRUE(step == 1 || step == 2) << x;
    }
}

}  // namespace
}  // namespace corvane
