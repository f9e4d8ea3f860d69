#pragma once
// The step that ends most effect routines: the new picture is copied onto the frame through a
// region, so that exactly the region's pixels show it. No region removes the clipping, and the
// whole picture is copied.

#include <optional>

#include "platform/raster/Drawing.h"

namespace corvane {

inline void Reveal(Bitmap32& Screen, const Bitmap32& Picture, int32_t W, int32_t H,
                   const std::optional<Region>& R) {
    if (R) {
        ClipSelection clip(Screen, *R);
        BitBlt(Screen, 0, 0, W, H, Picture, 0, 0);
    } else {
        SelectClipRgn(Screen, nullptr);
        BitBlt(Screen, 0, 0, W, H, Picture, 0, 0);
    }
}

// The two block copies the edge and corner families are written in, new picture to frame.
inline void Copy(Bitmap32& Screen, const Bitmap32& Picture, int32_t x, int32_t y, int32_t w,
                 int32_t h, int32_t sx, int32_t sy) {
    BitBlt(Screen, x, y, w, h, Picture, sx, sy);
}
inline void Stretch(Bitmap32& Screen, const Bitmap32& Picture, int32_t x, int32_t y, int32_t w,
                    int32_t h, int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
    StretchBlt(Screen, x, y, w, h, Picture, sx, sy, sw, sh);
}

}  // namespace corvane
