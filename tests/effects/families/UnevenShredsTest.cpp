#include <gtest/gtest.h>

#include <algorithm>

#include "effects/EffectTestSupport.h"
#include "effects/FrameComposer.h"
#include "effects/Random.h"
#include "effects/families/RevealChecks.h"

namespace corvane {
namespace {

using test::Frame;
using test::Mask;

// The generator state whose next draw leaves the state `next`: Random(N) then returns 0 for
// next = 0 and N - 1 for next = 2^32 - 1.
uint32_t StateBefore(uint32_t next) {
    const uint32_t a = 134775813u;
    uint32_t inverse = a;  // Newton's iteration doubles the correct low bits each round
    for (int i = 0; i < 5; ++i) inverse *= 2u - a * inverse;
    return (next - 1u) * inverse;
}

// The number of draws that lead from state `from` to state `to`.
int DrawsBetween(uint32_t from, uint32_t to) {
    SetRandomState(from);
    for (int n = 0; n < 100000; ++n) {
        if (RandomState() == to) return n;
        Random(1);
    }
    return -1;
}

// The columns [first, last] of the frame's only row that show the new picture, or -1, -1.
std::pair<int, int> RevealedColumns(const Frame& f, int y) {
    int first = -1, last = -1;
    for (int x = 0; x < f.Screen.Width(); ++x)
        if (f.At(x, y) != "old") {
            if (first < 0) first = x;
            last = x;
        }
    return {first, last};
}

// One strip per row on a frame one row (or column) high, with the draw fixed at its smallest or
// largest value: on a frame 1024 wide the jitter is 102, so at X = 300 a strip reaches 198 to
// 401 pixels; the centre and both-sides modes split it as r div 2 to each side.
TEST(UnevenShreds, WorkedExamplesWithAFixedDraw) {
    struct Case {
        int Effect, X;
        uint32_t Next;
        int First, Last, SecondFirst, SecondLast;  // revealed runs, -1 when there is none
    };
    const uint32_t zero = 0, top = 0xFFFFFFFFu;
    const Case cases[] = {
        {65, 300, zero, 826, 1023, -1, -1},  // the right-hand 198 columns
        {65, 300, top, 623, 1023, -1, -1},   // 300 - 102 + 203 = 401 columns
        {66, 300, zero, 0, 197, -1, -1},
        {67, 301, zero, 413, 610, -1, -1},  // r = 199: 99 columns each side of 512
        {68, 300, zero, 0, 98, 925, 1023},
        {65, 1024, top, 0, 1023, -1, -1},  // no jitter once X reaches W
        {65, 50, zero, -1, -1, -1, -1},    // 50 - 102 < 0: nothing
    };
    for (const Case& c : cases) {
        // Along x on a 1024 x 1 frame, and the same along y on a 1 x 1024 frame.
        for (bool vertical : {false, true}) {
            Frame f(vertical ? 1 : 1024, vertical ? 1024 : 1);
            SetRandomState(StateBefore(c.Next));
            const int effect = vertical ? c.Effect + 11 : c.Effect;
            vertical ? f.Run(effect, 0, c.X) : f.Run(effect, c.X, 0);
            std::vector<bool> expected(1024, false);
            for (int i = c.First; i >= 0 && i <= c.Last; ++i) expected[size_t(i)] = true;
            for (int i = c.SecondFirst; i >= 0 && i <= c.SecondLast; ++i)
                expected[size_t(i)] = true;
            for (int i = 0; i < 1024; ++i)
                ASSERT_EQ(vertical ? f.At(0, i) != "old" : f.At(i, 0) != "old", expected[size_t(i)])
                    << "effect " << effect << " at extent " << c.X << ", pixel " << i;
        }
    }
}

// On 800 x 599 the strips are 3 rows apart and 5 rows high (3 plus 599 mod 3), so each overlaps
// the next by 2 rows and the last starts at row 597: 200 strips, one draw each, top strip first.
// A row shows the longest of the strips that cover it.
TEST(UnevenShreds, StripsOverlapAndTakeTheirDrawsTopFirst) {
    const int W = 800, H = 599, X = 300, j = W / 10;
    const uint32_t state = 20240611u;
    SetRandomState(state);
    std::vector<int> lengths;
    for (int k = 0; k < 200; ++k) lengths.push_back(X - j + Random(2 * j));

    Frame f(W, H);
    SetRandomState(state);
    f.Run(66, X, 0);
    for (int y = 0; y < H; ++y) {
        int reach = 0;
        for (int k = 0; k < 200; ++k)
            if (3 * k <= y && y < 3 * k + 5) reach = std::max(reach, lengths[size_t(k)]);
        const auto [first, last] = RevealedColumns(f, y);
        ASSERT_EQ(last + 1, reach) << "row " << y;
        if (reach > 0) {
            ASSERT_EQ(first, 0) << "row " << y;
        }
    }
}

// A fixed generator state gives a fixed pattern, and every frame draws one number per strip:
// on 801 x 599, 200 horizontal strips and 267 vertical ones.
TEST(UnevenShreds, OneDrawPerStripAndAFixedPatternForAFixedState) {
    struct Entry {
        int Number;
        bool Horizontal, Vertical;
    };
    const Entry entries[] = {{65, true, false}, {66, true, false}, {67, true, false},
                             {68, true, false}, {76, false, true}, {77, false, true},
                             {78, false, true}, {79, false, true}, {100, true, true},
                             {101, true, true}, {102, true, true}, {103, true, true},
                             {104, true, true}, {105, true, true}, {106, true, true},
                             {107, true, true}, {108, true, true}, {109, true, true}};
    const int W = 801, H = 599;
    const TExtents e = ProgressExtents(W, H, 40);
    for (const Entry& entry : entries) {
        const uint32_t state = 777u + uint32_t(entry.Number);
        Frame first(W, H), second(W, H), other(W, H);
        SetRandomState(state);
        first.Run(entry.Number, e.X, e.Y);
        const uint32_t after = RandomState();
        SetRandomState(state);
        second.Run(entry.Number, e.X, e.Y);
        SetRandomState(state + 1);
        other.Run(entry.Number, e.X, e.Y);

        EXPECT_EQ(DrawsBetween(state, after),
                  (entry.Horizontal ? 200 : 0) + (entry.Vertical ? 267 : 0))
            << "effect " << entry.Number;
        EXPECT_TRUE(test::RevealedMask(first) == test::RevealedMask(second)) << entry.Number;
        EXPECT_FALSE(test::RevealedMask(first) == test::RevealedMask(other)) << entry.Number;
    }
}

// The combined entries draw all horizontal lengths first, then all vertical ones: a frame is the
// union of the horizontal entry's frame and the vertical entry's frame drawn right after it.
TEST(UnevenShreds, CombinedEntriesDrawTheHorizontalPassFirst) {
    struct Case {
        int Entry, Horizontal, Vertical;
    };
    const Case cases[] = {{100, 65, 76}, {101, 65, 77}, {102, 66, 76}, {103, 66, 77},
                          {104, 65, 78}, {105, 66, 78}, {106, 67, 76}, {107, 67, 77},
                          {108, 67, 78}, {109, 68, 79}};
    const int W = 640, H = 401;
    for (const Case& c : cases)
        for (int progress : {3, 50, 97}) {
            const TExtents e = ProgressExtents(W, H, progress);
            const uint32_t state = 4242u * uint32_t(progress);
            Frame combined(W, H), horizontal(W, H), vertical(W, H);
            SetRandomState(state);
            combined.Run(c.Entry, e.X, e.Y);
            SetRandomState(state);
            horizontal.Run(c.Horizontal, e.X, 0);
            vertical.Run(c.Vertical, 0, e.Y);
            const Mask both =
                test::Union(test::RevealedMask(horizontal), test::RevealedMask(vertical));
            EXPECT_TRUE(test::RevealedMask(combined) == both)
                << "entry " << c.Entry << " at " << progress;
        }
}

// The jitter stays until X reaches W: at Progress 99 on 1024 x 768 the strips reach 912 to 1115
// pixels, so some rows are unfinished; at X = 0 half or more of the strips show nothing and the
// others reach fewer than W div 10 pixels.
TEST(UnevenShreds, JitterAtTheEnds) {
    SetRandomState(99u);
    Frame late(1024, 768);
    late.Run(65, 1014, 760);
    int unfinished = 0;
    for (int y = 0; y < 768; ++y) {
        const auto [first, last] = RevealedColumns(late, y);
        ASSERT_LE(first, 1024 - 912) << "row " << y;
        ASSERT_EQ(last, 1023);
        unfinished += first > 0;
    }
    EXPECT_GT(unfinished, 0);

    Frame early(1024, 768);
    early.Run(66, 0, 0);
    int empty = 0;
    for (int y = 0; y < 768; y += 4) {
        const auto [first, last] = RevealedColumns(early, y);
        ASSERT_LT(last, 102 - 1) << "row " << y;
        empty += first < 0;
    }
    EXPECT_GE(empty, 192 * 2 / 5);
}

// Whatever the frame, nothing is drawn outside it; frames below 10 pixels have no jitter, so at
// zero extents nothing shows.
TEST(UnevenShreds, DegenerateFrames) {
    const int entries[] = {65,  66,  67,  68,  76,  77,  78,  79,  100,
                           101, 102, 103, 104, 105, 106, 107, 108, 109};
    const int sizes[][2] = {{1, 1}, {1, 500}, {500, 1}, {7, 5}, {333, 201}, {201, 333}};
    SetRandomState(5u);
    for (int n : entries)
        for (const auto& size : sizes) {
            const int W = size[0], H = size[1];
            for (int progress : {1, 50, 99}) {
                const TExtents e = ProgressExtents(W, H, progress);
                test::RevealedInsideFrame(n, W, H, e.X, e.Y, progress);
                test::RevealedInsideFrame(n, W, H, W, H, progress);
                test::RevealedInsideFrame(n, W, H, 0, 0, progress);
            }
            if (W < 10 && H < 10) {
                EXPECT_EQ(test::RevealedInsideFrame(n, W, H, 0, 0, 1), 0)
                    << "effect " << n << " on " << W << "x" << H;
            }
        }
}

}  // namespace
}  // namespace corvane
