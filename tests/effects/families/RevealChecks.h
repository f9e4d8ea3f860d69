#pragma once
// Checks shared by the families that uncover the new picture in place through a region: which
// pixels a frame shows new, and a run on bitmaps larger than the frame that proves nothing is
// drawn outside it.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "effects/EffectTestSupport.h"
#include "effects/FrameComposer.h"
#include "platform/raster/Bitmap32.h"

namespace corvane::test {

// A pixel a worked example fixes: whether the frame shows the new picture there.
struct Probe {
    int X, Y;
    bool New;
};

// Whether the frame shows the new picture at the pixel, in place.
inline bool ShowsNew(const Frame& f, int x, int y) { return f.At(x, y) == Pos(x, y); }

inline int64_t NewPixels(const Frame& f) {
    int64_t n = 0;
    for (int y = 0; y < f.Screen.Height(); ++y)
        for (int x = 0; x < f.Screen.Width(); ++x) n += ShowsNew(f, x, y);
    return n;
}

// The frame of the entry at the progress, with the extents the player gives it.
inline Frame Rendered(int effect, int W, int H, int progress) {
    Frame f(W, H);
    const TExtents e = ProgressExtents(W, H, progress);
    f.Run(effect, e.X, e.Y, progress);
    return f;
}

// One flag per pixel, row by row: whether the frame shows the new picture there.
using Mask = std::vector<bool>;

// The pixels of the frame that show the new picture, each checked to show it in place.
inline Mask RevealedMask(const Frame& f) {
    const int w = f.Screen.Width(), h = f.Screen.Height();
    Mask m(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Pixel p = f.Screen.GetPixel(x, y);
            if (CodeX(p) != x || CodeY(p) != y) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is not shown in place";
                return m;
            }
            m[size_t(y) * size_t(w) + size_t(x)] = CodeTag(p) == kNewTag;
        }
    return m;
}

inline Mask Revealed(int effect, int w, int h, int x, int y) {
    Frame f(w, h);
    f.Run(effect, x, y);
    return RevealedMask(f);
}

inline Mask Union(const Mask& a, const Mask& b) {
    Mask m(a.size());
    for (size_t i = 0; i < a.size(); ++i) m[i] = a[i] || b[i];
    return m;
}

// Runs the entry for a W x H frame on bitmaps two pixels larger each way and returns how many
// pixels of the frame it revealed. Everything outside the frame must keep the old picture, every
// revealed pixel must show the new picture in place, and no clipping may be left behind.
inline int RevealedInsideFrame(int effect, int W, int H, int X, int Y, int progress) {
    Frame f(W + 2, H + 2);
    Effects[effect].Proc(f.Screen, f.Picture, W, H, X, Y, progress);
    EXPECT_FALSE(f.Screen.Surface().ClipRegion().has_value()) << "effect " << effect;
    int revealed = 0;
    for (int y = 0; y < H + 2; ++y)
        for (int x = 0; x < W + 2; ++x) {
            const Pixel p = f.Screen.GetPixel(x, y);
            const bool inPlace = CodeX(p) == x && CodeY(p) == y;
            const bool isNew = CodeTag(p) == kNewTag;
            if (!inPlace || (isNew && (x >= W || y >= H))) {
                ADD_FAILURE() << "effect " << effect << " on " << W << "x" << H << " at X=" << X
                              << ", Y=" << Y << " drew pixel " << x << "," << y;
                return revealed;
            }
            revealed += isNew;
        }
    return revealed;
}

}  // namespace corvane::test
