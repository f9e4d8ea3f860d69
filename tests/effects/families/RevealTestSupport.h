#pragma once
// Reading frames of the effects that reveal the new picture in place through a region: which
// pixels show it, along a line or against a set of triangles, and the checks every such family
// runs on degenerate frames.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

#include "effects/EffectTestSupport.h"
#include "effects/FrameComposer.h"
#include "effects/Random.h"

namespace corvane::test {

inline bool ShowsNewInPlace(const Bitmap32& screen, int x, int y) {
    const Pixel p = screen.GetPixel(x, y);
    return CodeTag(p) == kNewTag && CodeX(p) == x && CodeY(p) == y;
}
inline bool KeepsOld(const Bitmap32& screen, int x, int y) {
    const Pixel p = screen.GetPixel(x, y);
    return CodeTag(p) == kOldTag && CodeX(p) == x && CodeY(p) == y;
}

// First and last index of each run of pixels showing the new picture in place.
using Runs = std::vector<std::pair<int, int>>;

inline Runs RunsAlong(const Bitmap32& screen, bool row, int line) {
    Runs runs;
    const int n = row ? screen.Width() : screen.Height();
    for (int i = 0; i < n; ++i) {
        if (!(row ? ShowsNewInPlace(screen, i, line) : ShowsNewInPlace(screen, line, i))) continue;
        if (!runs.empty() && runs.back().second == i - 1)
            runs.back().second = i;
        else
            runs.push_back({i, i});
    }
    return runs;
}
inline Runs RunsInRow(const Bitmap32& screen, int y) {
    return RunsAlong(screen, true, y);
}
inline Runs RunsInColumn(const Bitmap32& screen, int x) {
    return RunsAlong(screen, false, x);
}

inline bool NothingRevealed(const Bitmap32& screen) {
    for (int y = 0; y < screen.Height(); ++y)
        for (int x = 0; x < screen.Width(); ++x)
            if (!KeepsOld(screen, x, y)) return false;
    return true;
}

// Runs the effect on the transposed frame (H x W, extents exchanged) and transposes the result
// back, to compare with the frame of the entry that is its transpose.
inline Bitmap32 RunTransposed(int effect, int W, int H, int X, int Y, int progress) {
    Bitmap32 screen(H, W), picture(H, W);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            screen.SetPixel(y, x, Code(x, y, kOldTag));
            picture.SetPixel(y, x, Code(x, y, kNewTag));
        }
    Effects[effect].Proc(screen, picture, H, W, Y, X, progress);
    Bitmap32 back(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) back.SetPixel(x, y, screen.GetPixel(y, x));
    return back;
}

// ---- Triangles, judged by where the pixel centres lie ----

using Triangle = std::array<int64_t, 6>;
enum class Side { Inside, Outline, Outside };

// Where the centre of pixel (x, y) lies against the triangle, in exact arithmetic (doubled
// coordinates, so that the centre is integral). A triangle without area has no inside.
inline Side CentreSide(const Triangle& t, int x, int y) {
    const int64_t px = 2 * int64_t(x) + 1, py = 2 * int64_t(y) + 1;
    auto cross = [](int64_t ax, int64_t ay, int64_t bx, int64_t by, int64_t cx, int64_t cy) {
        return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    };
    int64_t v[6];
    for (int i = 0; i < 6; ++i) v[i] = 2 * t[i];
    const int64_t area = cross(v[0], v[1], v[2], v[3], v[4], v[5]);
    int64_t c[3];
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        c[i] = cross(v[2 * i], v[2 * i + 1], v[2 * j], v[2 * j + 1], px, py);
    }
    if (area == 0) return c[0] == 0 && c[1] == 0 && c[2] == 0 ? Side::Outline : Side::Outside;
    bool onEdge = false;
    for (int64_t ci : c) {
        if (ci != 0 && (ci > 0) != (area > 0)) return Side::Outside;
        onEdge = onEdge || ci == 0;
    }
    return onEdge ? Side::Outline : Side::Inside;
}

// A pixel whose centre lies inside one of the triangles shows the new picture in place; one whose
// centre lies outside all of them keeps the old picture. Centres on an outline may go either way.
inline ::testing::AssertionResult MatchesTriangles(const Bitmap32& screen,
                                                   std::span<const Triangle> triangles) {
    for (int y = 0; y < screen.Height(); ++y)
        for (int x = 0; x < screen.Width(); ++x) {
            bool inside = false, outside = true;
            for (const Triangle& t : triangles) {
                const Side s = CentreSide(t, x, y);
                inside = inside || s == Side::Inside;
                outside = outside && s == Side::Outside;
            }
            if (inside && !ShowsNewInPlace(screen, x, y))
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " lies inside but is not revealed";
            if (outside && !KeepsOld(screen, x, y))
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " lies outside but is not the old picture";
        }
    return ::testing::AssertionSuccess();
}

// ---- Degenerate frames, for a whole family at once ----

// On frames of one pixel, one row, one column and odd sizes, at the usual extents and with X or Y
// (or both) forced to 0: every pixel keeps the old picture or shows the new one at its own place,
// no clipping is left behind, the picture is untouched and the generator is not drawn from.
inline void ExpectSoundOnDegenerateFrames(std::initializer_list<int> entries) {
    const int sizes[][2] = {{1, 1}, {1, 500}, {500, 1}, {2, 3},
                            {3, 2}, {41, 17}, {17, 41}, {201, 151}};
    for (int effect : entries)
        for (const auto& size : sizes) {
            const int W = size[0], H = size[1];
            for (int progress : {1, 25, 50, 75, 99}) {
                const TExtents e = ProgressExtents(W, H, progress);
                const std::pair<int, int> extents[] = {{e.X, e.Y}, {0, e.Y}, {e.X, 0}, {0, 0}};
                for (auto [X, Y] : extents) {
                    Frame f(W, H);
                    SetRandomState(12345);
                    f.Run(effect, X, Y, progress);
                    const auto where = [&] {
                        return ::testing::Message()
                               << "effect " << effect << " on " << W << "x" << H << " at "
                               << progress << ", X=" << X << ", Y=" << Y;
                    };
                    ASSERT_EQ(RandomState(), 12345u) << where();
                    ASSERT_FALSE(f.Screen.Surface().ClipRegion().has_value()) << where();
                    for (int y = 0; y < H; ++y)
                        for (int x = 0; x < W; ++x) {
                            ASSERT_TRUE(KeepsOld(f.Screen, x, y) || ShowsNewInPlace(f.Screen, x, y))
                                << where() << ", pixel " << x << "," << y;
                            ASSERT_EQ(f.Picture.GetPixel(x, y), Code(x, y, kNewTag)) << where();
                        }
                }
            }
        }
}

}  // namespace corvane::test
