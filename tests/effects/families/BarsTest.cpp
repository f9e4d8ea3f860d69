#include <gtest/gtest.h>

#include "effects/EffectTestSupport.h"
#include "effects/FrameComposer.h"
#include "effects/families/RevealChecks.h"

namespace corvane {
namespace {

using test::Frame;
using test::Mask;
using test::Probe;
using test::Revealed;

struct Example {
    int Effect, W, H, X, Y;
    std::vector<Probe> Probes;
};

// On 1024 x 768 the bars are 16 pixels thick: even bars are rows (columns) 0-15, 32-47, ...,
// 736-751 (992-1007), odd bars 16-31, ..., 752-767 (1008-1023). Progress 25, 50 and 75 give
// X = 256, 512, 768 and Y = 192, 384, 576.
TEST(Bars, WorkedExamples) {
    // clang-format off
    const Example examples[] = {
        // In from the right: even bars half way in, then whole, then the odd bars half way in.
        {60, 1024, 768, 256, 192,
         {{512, 0, true}, {511, 0, false}, {1023, 15, true}, {1023, 16, false}, {600, 32, true},
          {511, 736, false}, {512, 751, true}, {1023, 752, false}}},
        {60, 1024, 768, 512, 384,
         {{0, 0, true}, {1023, 751, true}, {0, 752, false}, {0, 16, false}, {1023, 31, false},
          {0, 32, true}}},
        {60, 1024, 768, 768, 576,
         {{0, 0, true}, {0, 751, true}, {511, 16, false}, {512, 16, true}, {1023, 767, true},
          {511, 767, false}}},
        {61, 1024, 768, 256, 192, {{511, 0, true}, {512, 0, false}, {0, 16, false}}},
        {61, 1024, 768, 768, 576, {{511, 16, true}, {512, 16, false}, {1023, 0, true}}},
        // Left then right, and right then left.
        {62, 1024, 768, 256, 192, {{511, 0, true}, {512, 0, false}, {0, 16, false}}},
        {62, 1024, 768, 768, 576, {{512, 16, true}, {511, 16, false}, {0, 0, true}}},
        {63, 1024, 768, 256, 192, {{512, 0, true}, {511, 0, false}, {1023, 16, false}}},
        {63, 1024, 768, 768, 576, {{511, 16, true}, {512, 16, false}, {1023, 0, true}}},
        // Both sides at X = W / 2: the right half of each even bar, the left half of each odd.
        {64, 1024, 768, 512, 384,
         {{512, 0, true}, {511, 0, false}, {511, 16, true}, {512, 16, false}, {0, 767, true},
          {1023, 767, false}}},
        // From the bottom: the even columns of bars show rows 384 to 767 at Progress 25.
        {71, 1024, 768, 256, 192,
         {{0, 384, true}, {0, 383, false}, {15, 767, true}, {16, 767, false}, {32, 500, true},
          {1007, 767, true}, {1008, 767, false}}},
        {72, 1024, 768, 256, 192, {{0, 383, true}, {0, 384, false}, {16, 0, false}}},
        {75, 1024, 768, 512, 384,
         {{0, 384, true}, {0, 383, false}, {16, 383, true}, {16, 384, false}}},
        // A frame less than 50 pixels high has bars 1 pixel thick.
        {60, 200, 49, 100, 24, {{0, 0, true}, {0, 1, false}, {199, 48, true}, {199, 47, false}}},
    };
    // clang-format on
    for (const Example& e : examples) {
        Frame f(e.W, e.H);
        f.Run(e.Effect, e.X, e.Y);
        for (const Probe& p : e.Probes)
            EXPECT_EQ(f.At(p.X, p.Y), p.New ? test::Pos(p.X, p.Y) : "old")
                << "effect " << e.Effect << " at X=" << e.X << ", Y=" << e.Y << ", pixel " << p.X
                << "," << p.Y;
    }
}

// Entries 71 to 75 are entries 60 to 64 with x and y exchanged.
TEST(Bars, VerticalEntriesAreTheTransposedHorizontalOnes) {
    const int sizes[][2] = {{53, 37}, {120, 170}};
    for (int n = 60; n <= 64; ++n)
        for (const auto& size : sizes)
            for (int progress : {1, 23, 50, 51, 77, 99}) {
                const int W = size[0], H = size[1];
                const TExtents e = ProgressExtents(W, H, progress);
                const Mask wide = Revealed(n, W, H, e.X, e.Y);
                const Mask tall = Revealed(n + 11, H, W, e.Y, e.X);
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x)
                        ASSERT_EQ(wide[size_t(y * W + x)], tall[size_t(x * H + y)])
                            << "entries " << n << " and " << n + 11 << " at " << progress
                            << ", pixel " << x << "," << y;
            }
}

// A criss-cross frame is the union of a horizontal and a vertical bars frame: entry and extents
// of each pass for the criss-cross extents X, Y (chosen even, as entries 94 to 97 pass the plain
// extent to a two-phase mode, which the single-direction entries reach at X / 2 or Y / 2).
TEST(Bars, CrissCrossIsTheUnionOfItsTwoPasses) {
    struct Case {
        int Entry, Horizontal, Vertical;
        bool HalfX, HalfY;
    };
    const Case cases[] = {
        {86, 60, 71, false, false}, {87, 60, 72, false, false}, {88, 61, 71, false, false},
        {89, 61, 72, false, false}, {90, 62, 73, false, false}, {91, 62, 74, false, false},
        {92, 63, 73, false, false}, {93, 63, 74, false, false}, {94, 60, 75, true, false},
        {95, 61, 75, true, false},  {96, 64, 71, false, true},  {97, 64, 72, false, true},
        {98, 64, 75, false, false},
    };
    const int W = 300, H = 200;
    for (const Case& c : cases)
        for (int X : {0, 2, 60, 150, 200, 298}) {
            const int Y = X * H / W / 2 * 2;
            const Mask cross = Revealed(c.Entry, W, H, X, Y);
            const Mask both = test::Union(Revealed(c.Horizontal, W, H, c.HalfX ? X / 2 : X, Y),
                                          Revealed(c.Vertical, W, H, X, c.HalfY ? Y / 2 : Y));
            for (size_t i = 0; i < cross.size(); ++i)
                ASSERT_EQ(cross[i], both[i])
                    << "entry " << c.Entry << " at X=" << X << ", pixel " << i % W << "," << i / W;
        }
}

// Entry 99 keeps only what the bars from the bottom right and those from the top left share.
TEST(Bars, CrissCrossFromBottomLeftTopRightIntersects) {
    // Half way both regions are all even horizontal and all even vertical bars.
    Frame half(1024, 768);
    half.Run(99, 512, 384);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) {
            const bool evenBar = (y / 16) % 2 == 0 || (x / 16) % 2 == 0;
            ASSERT_EQ(half.At(x, y), evenBar ? test::Pos(x, y) : "old") << x << "," << y;
        }
    // At every extent: the intersection of the frames of entries 86 (modes 1, 1) and 89
    // (modes 2, 2), which reveal the same two regions.
    const int W = 300, H = 200;
    for (int X : {0, 40, 75, 150, 151, 260, 299}) {
        const int Y = X * H / W;
        const Mask both = Revealed(99, W, H, X, Y);
        const Mask a = Revealed(86, W, H, X, Y), b = Revealed(89, W, H, X, Y);
        for (size_t i = 0; i < both.size(); ++i)
            ASSERT_EQ(both[i], a[i] && b[i]) << "X=" << X << ", pixel " << i % W << "," << i / W;
    }
}

// Whatever the frame, nothing is drawn outside it, and with no extent no bar shows.
TEST(Bars, DegenerateFrames) {
    const int sizes[][2] = {{1, 1}, {1, 500}, {500, 1}, {7, 5}, {333, 201}, {201, 333}};
    for (int n = 60; n <= 99; ++n) {
        if (n >= 65 && n <= 70) continue;
        if (n >= 76 && n <= 85) continue;
        for (const auto& size : sizes) {
            const int W = size[0], H = size[1];
            for (int progress : {1, 49, 50, 51, 99}) {
                const TExtents e = ProgressExtents(W, H, progress);
                test::RevealedInsideFrame(n, W, H, e.X, e.Y, progress);
                test::RevealedInsideFrame(n, W, H, W, H, progress);
            }
            EXPECT_EQ(test::RevealedInsideFrame(n, W, H, 0, 0, 1), 0)
                << "effect " << n << " on " << W << "x" << H;
        }
    }
}

}  // namespace
}  // namespace corvane
