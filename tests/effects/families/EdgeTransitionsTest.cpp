#include <gtest/gtest.h>

#include "effects/EffectTestSupport.h"
#include "effects/PixelHelpers.h"

namespace corvane {
namespace {

using test::Frame;
using test::Pos;

// Worked examples: screen pixel -> the picture pixel it shows, or "old".
struct Probe {
    int X, Y;
    std::string Shows;
};
struct Example {
    int Effect, W, H, X, Y;
    std::vector<Probe> Probes;
};

TEST(EdgeTransitions, WorkedExamples) {
    const Example examples[] = {
        // Slides: the picture's leading edge comes first.
        {3, 800, 4, 200, 1, {{600, 0, Pos(0, 0)}, {799, 3, Pos(199, 3)}, {599, 0, "old"}}},
        {4, 800, 4, 200, 1, {{0, 0, Pos(600, 0)}, {199, 2, Pos(799, 2)}, {200, 0, "old"}}},
        // Expand in to middle: picture columns 200..599 over -400..1199, four times wide.
        {9, 800, 2, 400, 1,
         {{0, 0, Pos(300, 0)}, {3, 0, Pos(300, 0)}, {4, 1, Pos(301, 1)}, {799, 0, Pos(499, 0)}}},
        // Reveal in from sides with odd X: each side shows X div 2 columns.
        {12, 801, 2, 799, 1,
         {{398, 0, Pos(398, 0)}, {399, 0, "old"}, {401, 1, "old"}, {402, 1, Pos(402, 1)}}},
        // Build up: the smear becomes a plain copy near the end ...
        {16, 1000, 2, 950, 1, {{950, 0, Pos(950, 0)}, {999, 1, Pos(999, 1)}, {949, 0, Pos(949, 0)}}},
        // ... and stretches W div 10 columns five times wide half way.
        {16, 1000, 2, 500, 1,
         {{500, 0, Pos(500, 0)}, {504, 0, Pos(500, 0)}, {505, 0, Pos(501, 0)}, {999, 0, Pos(599, 0)}}},
        {17, 1000, 2, 500, 1,
         {{500, 0, Pos(500, 0)}, {0, 0, Pos(400, 0)}, {499, 0, Pos(499, 0)}}},
        // Entry 29 uncovers in place from the top and bottom edges despite its name.
        {29, 2, 100, 1, 40, {{0, 19, Pos(0, 19)}, {0, 20, "old"}, {0, 80, Pos(0, 80)}, {0, 79, "old"}}},
        // Entry 33 uncovers from the top and smears below.
        {33, 2, 1000, 1, 500, {{0, 499, Pos(0, 499)}, {0, 504, Pos(0, 500)}, {0, 999, Pos(0, 599)}}},
    };
    for (const Example& e : examples) {
        Frame f(e.W, e.H);
        f.Run(e.Effect, e.X, e.Y);
        for (const Probe& p : e.Probes)
            EXPECT_EQ(f.At(p.X, p.Y), p.Shows)
                << "effect " << e.Effect << " at X=" << e.X << ", Y=" << e.Y << ", pixel " << p.X
                << "," << p.Y;
    }
}

// Entries 18 to 34 are entries 1 to 17 with x and y exchanged; the unrolls shade rows and
// columns with slightly different profiles and are checked by their examples instead.
TEST(EdgeTransitions, VerticalEntriesAreTheTransposedHorizontalOnes) {
    const int W = 53, H = 37;
    for (int n = 1; n <= 17; ++n) {
        if (n == 14 || n == 15) continue;
        for (int progress : {1, 23, 50, 77, 99}) {
            const int X = W * progress / 100, Y = H * progress / 100;
            Frame wide(W, H);
            wide.Run(n, X, Y);
            // The transposed frame: its pixel (y, x) carries the code of (x, y).
            Bitmap32 tScreen(H, W), tPicture(H, W);
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    tScreen.SetPixel(y, x, test::Code(x, y, test::kOldTag));
                    tPicture.SetPixel(y, x, test::Code(x, y, test::kNewTag));
                }
            Effects[n + 17].Proc(tScreen, tPicture, H, W, Y, X, progress);
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    ASSERT_EQ(wide.Screen.GetPixel(x, y), tScreen.GetPixel(y, x))
                        << "entries " << n << " and " << n + 17 << " at " << progress
                        << ", pixel " << x << "," << y;
        }
    }
}

// The unrolls: the band mirrors the strip just ahead of the uncovered part and is then shaded, so
// the expected frame is built from the example's columns and shaded the same way.
TEST(EdgeTransitions, UnrollBandsMirrorTheStripAhead) {
    struct Case {
        int Effect, X, First, Last, MirrorOfFirst;  // band columns First..Last
    };
    const Case cases[] = {
        {14, 40, 40, 79, 119}, {14, 300, 300, 399, 499}, {14, 950, 950, 974, 999},
        {15, 300, 600, 699, 598},  // one column further left than the adjacent strip
        {15, 40, 920, 959, 918},
    };
    for (const Case& c : cases) {
        Frame f(1000, 3);
        f.Run(c.Effect, c.X, 1);
        Bitmap32 expected = test::Coded(1000, 3, test::kOldTag);
        for (int y = 0; y < 3; ++y) {
            for (int x = c.First; x <= c.Last; ++x)
                expected.SetPixel(x, y, test::Code(c.MirrorOfFirst - (x - c.First), y, test::kNewTag));
            const int from = c.Effect == 14 ? 0 : 1000 - c.X, to = c.Effect == 14 ? c.X : 1000;
            for (int x = from; x < to; ++x) expected.SetPixel(x, y, test::Code(x, y, test::kNewTag));
        }
        ShadeColumns(expected, 48, c.First, c.Last - c.First + 1);
        for (int x = 0; x < 1000; ++x)
            ASSERT_EQ(f.Screen.GetPixel(x, 1), expected.GetPixel(x, 1))
                << "effect " << c.Effect << " at X=" << c.X << ", column " << x;
    }
    // The vertical twins: rows for columns, shaded by rows.
    Frame top(3, 1000);
    top.Run(31, 1, 300);
    Bitmap32 expected = test::Coded(3, 1000, test::kOldTag);
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < 300; ++y) expected.SetPixel(x, y, test::Code(x, y, test::kNewTag));
        for (int y = 300; y < 400; ++y) expected.SetPixel(x, y, test::Code(x, 799 - y, test::kNewTag));
    }
    ShadeRows(expected, 48, 300, 100);
    for (int y = 0; y < 1000; ++y) ASSERT_EQ(top.Screen.GetPixel(1, y), expected.GetPixel(1, y)) << y;
}

TEST(EdgeTransitions, UnrollBandIsShadedDarkestAtItsEdges) {
    Bitmap32 screen(1000, 2, 0), picture(1000, 2, MakePixel(128, 128, 128));
    Effects[14].Proc(screen, picture, 1000, 2, 300, 1, 30);
    EXPECT_EQ(PixelRed(screen.GetPixel(299, 0)), 128);  // uncovered part: unshaded
    EXPECT_EQ(PixelRed(screen.GetPixel(300, 0)), 80);
    EXPECT_EQ(PixelRed(screen.GetPixel(349, 0)), 129);
    EXPECT_EQ(PixelRed(screen.GetPixel(399, 1)), 79);
    EXPECT_EQ(PixelRed(screen.GetPixel(400, 1)), 0);    // old picture ahead of the roll
}

}  // namespace
}  // namespace corvane
