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

// Points the shapes' geometry fixes, on an 800 x 600 frame; a pixel belongs to a shape when its
// centre lies inside, a centre on a left or top edge counting as inside.
TEST(CurvedReveals, WorkedExamples) {
    // clang-format off
    const Example examples[] = {
        // The half-ellipse centred at (-400, 300.5), semi-axes 800 and 300.5: its apex reaches
        // x = 400 (right edges exclusive), and at the left edge it spans rows 40 to 560.
        {58, 800, 600, 200, 150,
         {{399, 300, true}, {400, 300, false}, {0, 0, false}, {0, 39, false}, {0, 40, true},
          {1, 40, false}, {0, 560, true}, {0, 561, false}, {0, 599, false}}},
        // Mirrored: apex at x = 400 from the right, the right edge spanning rows 40 to 560.
        {59, 800, 600, 200, 150,
         {{400, 300, true}, {399, 300, false}, {799, 0, false}, {799, 39, false},
          {799, 40, true}, {798, 40, false}, {799, 560, true}, {799, 561, false}}},
        // From the top: apex at y = 300; along row 0 the front spans columns 54 to 746.
        {69, 800, 600, 200, 150,
         {{400, 299, true}, {400, 300, false}, {53, 0, false}, {54, 0, true}, {746, 0, true},
          {747, 0, false}}},
        {70, 800, 600, 200, 150,
         {{400, 300, true}, {400, 299, false}, {53, 599, false}, {54, 599, true},
          {746, 599, true}, {747, 599, false}}},
        // While 3X div 2 < W the corner shape is a whole ellipse, here centred at (-250, -187.5)
        // with semi-axes 550 and 412.5: it reaches about 239 along the top edge and 179 down
        // the left edge.
        {80, 800, 600, 200, 150,
         {{0, 0, true}, {200, 0, true}, {280, 0, false}, {0, 150, true}, {0, 200, false},
          {799, 599, false}}},
        {81, 800, 600, 200, 150,
         {{799, 0, true}, {599, 0, true}, {519, 0, false}, {799, 150, true}, {799, 200, false},
          {0, 599, false}}},
        {82, 800, 600, 200, 150,
         {{0, 599, true}, {200, 599, true}, {280, 599, false}, {0, 449, true}, {0, 399, false},
          {799, 0, false}}},
        {83, 800, 600, 200, 150,
         {{799, 599, true}, {599, 599, true}, {519, 599, false}, {799, 449, true},
          {799, 399, false}, {0, 0, false}}},
        // At Progress 99 the corner quarter-ellipse, centred near (388, 291), covers the frame.
        {80, 800, 600, 792, 594, {{799, 599, true}, {0, 599, true}, {799, 0, true}}},
        // The near-ellipse (200, 150, 600, 450) with corners 360 x 270: (200, 300) and
        // (400, 150) are on its outline, the corner (200, 150) is outside.
        {84, 800, 600, 200, 150,
         {{200, 300, true}, {400, 150, true}, {200, 150, false}, {199, 300, false},
          {400, 149, false}, {599, 300, true}, {600, 300, false}, {400, 449, true},
          {400, 450, false}}},
        // Half way the shape B is the near-ellipse inscribed in the frame: only the corners show.
        {85, 800, 600, 400, 300,
         {{0, 0, true}, {30, 30, true}, {799, 599, true}, {400, 300, false}, {0, 300, false},
          {799, 300, false}, {400, 0, false}, {400, 599, false}}},
        // A quarter of the way B still holds the whole frame.
        {85, 800, 600, 200, 150, {{0, 0, false}, {799, 599, false}, {799, 0, false}}},
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

// The sweeping fronts and the corners are one shape turned to start from each edge or corner:
// the same pixels, mirrored or transposed.
TEST(CurvedReveals, EntriesAreOneShapeTurned) {
    struct Turn {
        int Entry, Of;
        bool Transposed, MirrorX, MirrorY;  // MirrorX/Y apply to the (transposed) result
    };
    const Turn turns[] = {
        {59, 58, false, true, false}, {69, 58, true, false, false}, {70, 58, true, false, true},
        {81, 80, false, true, false}, {82, 80, false, false, true}, {83, 80, false, true, true},
    };
    const int sizes[][2] = {{53, 37}, {40, 64}, {9, 9}};
    for (const Turn& t : turns)
        for (const auto& size : sizes)
            for (int progress : {3, 25, 50, 77, 99}) {
                const int W = size[0], H = size[1];
                const TExtents e = ProgressExtents(W, H, progress);
                const Mask base = Revealed(t.Of, W, H, e.X, e.Y);
                const int w = t.Transposed ? H : W, h = t.Transposed ? W : H;
                const Mask turned = t.Transposed ? Revealed(t.Entry, w, h, e.Y, e.X)
                                                 : Revealed(t.Entry, w, h, e.X, e.Y);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const int bx = t.MirrorX ? w - 1 - x : x, by = t.MirrorY ? h - 1 - y : y;
                        const int sx = t.Transposed ? by : bx, sy = t.Transposed ? bx : by;
                        ASSERT_EQ(turned[size_t(y * w + x)], base[size_t(sy * W + sx)])
                            << "entry " << t.Entry << " against " << t.Of << " on " << W << "x" << H
                            << " at " << progress << ", pixel " << x << "," << y;
                    }
            }
}

// The shape entry 85 keeps old is the shape entry 84 reveals at the opposite extents (on frames
// of even size, where 3 * (W div 2) = 3W / 2).
TEST(CurvedReveals, EllipticInIsTheComplementOfEllipticOut) {
    const int W = 64, H = 48;
    for (int X = 0; X <= W; X += 4) {
        const int Y = X * H / W;
        const Mask in = Revealed(85, W, H, X, Y), out = Revealed(84, W, H, W - X, H - Y);
        for (size_t i = 0; i < in.size(); ++i)
            ASSERT_NE(in[i], out[i]) << "X=" << X << ", pixel " << i % W << "," << i / W;
    }
}

// Whatever the frame, nothing is drawn outside it; with no extent nothing new shows, and the
// sweeping fronts show nothing while their own extent is 0.
TEST(CurvedReveals, DegenerateFrames) {
    const int entries[] = {58, 59, 69, 70, 80, 81, 82, 83, 84, 85};
    const int sizes[][2] = {{1, 1}, {1, 500}, {500, 1},   {2, 2},
                            {3, 2}, {7, 5},   {333, 201}, {201, 333}};
    for (int n : entries)
        for (const auto& size : sizes) {
            const int W = size[0], H = size[1];
            for (int progress : {1, 50, 99}) {
                const TExtents e = ProgressExtents(W, H, progress);
                test::RevealedInsideFrame(n, W, H, e.X, e.Y, progress);
                test::RevealedInsideFrame(n, W, H, e.X, 0, progress);
                test::RevealedInsideFrame(n, W, H, 0, e.Y, progress);
            }
            // On a frame one pixel wide or high the shape that entry 85 keeps old has no width
            // or height, so that entry shows the whole new picture from the first frame on.
            if (n == 85 && (W == 1 || H == 1)) continue;
            EXPECT_EQ(test::RevealedInsideFrame(n, W, H, 0, 0, 1), 0)
                << "effect " << n << " on " << W << "x" << H;
        }
    for (const auto& size : sizes) {
        const int W = size[0], H = size[1];
        EXPECT_EQ(test::RevealedInsideFrame(58, W, H, 0, H, 50), 0);
        EXPECT_EQ(test::RevealedInsideFrame(59, W, H, 0, H, 50), 0);
        EXPECT_EQ(test::RevealedInsideFrame(69, W, H, W, 0, 50), 0);
        EXPECT_EQ(test::RevealedInsideFrame(70, W, H, W, 0, 50), 0);
    }
}

}  // namespace
}  // namespace corvane
