#pragma once
// Pictures whose pixels encode their own position and a tag, so that a test can say which
// source pixel landed where.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "effects/EffectCatalog.h"
#include "platform/raster/Bitmap32.h"

namespace corvane::test {

constexpr int kOldTag = 1, kNewTag = 2;

inline Pixel Code(int x, int y, int tag) { return Pixel(x) | Pixel(y) << 12 | Pixel(tag) << 24; }
inline int CodeX(Pixel p) { return int(p & 0xFFF); }
inline int CodeY(Pixel p) { return int((p >> 12) & 0xFFF); }
inline int CodeTag(Pixel p) { return int(p >> 24); }

inline Bitmap32 Coded(int w, int h, int tag) {
    Bitmap32 b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, Code(x, y, tag));
    return b;
}

// The old and new pictures of one frame, and the frame after an effect routine ran on it.
struct Frame {
    Bitmap32 Screen, Picture;
    Frame(int w, int h) : Screen(Coded(w, h, kOldTag)), Picture(Coded(w, h, kNewTag)) {}
    void Run(int effect, int x, int y, int progress = 50) {
        Effects[effect].Proc(Screen, Picture, Picture.Width(), Picture.Height(), x, y, progress);
    }
    // "old" when the screen pixel keeps the old picture, else the picture position it shows.
    std::string At(int x, int y) const {
        Pixel p = Screen.GetPixel(x, y);
        if (CodeTag(p) == kOldTag) return CodeX(p) == x && CodeY(p) == y ? "old" : "moved old";
        return std::to_string(CodeX(p)) + "," + std::to_string(CodeY(p));
    }
};

inline std::string Pos(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

}  // namespace corvane::test
