#pragma once
// Draws a picture with per-pixel opacity (0 transparent to 255 opaque) scaled to a rectangle of a
// bitmap's surface. The covered part of the destination is read out, blended with the picture
// (each destination pixel takes its nearest picture pixel, as a scaled block copy does) and
// copied back, so the surface's origin and clip region apply as for any block copy.

#include <cstdint>
#include <vector>

#include "platform/raster/Bitmap32.h"

namespace corvane {

// alpha holds one value per image pixel, rows from the top.
void DrawWithAlpha(Bitmap32& dest, const TRect& rect, const Bitmap32& image,
                   const std::vector<uint8_t>& alpha);

// Calls draw with a scratch bitmap holding the visible part of rect (its current pixels) and the
// logical position of the scratch bitmap's top-left corner, then copies the scratch back.
template <typename DrawFn>
void DrawThroughScratch(Bitmap32& dest, const TRect& rect, DrawFn&& draw);

}  // namespace corvane

#include "platform/raster/Drawing.h"

namespace corvane {

template <typename DrawFn>
void DrawThroughScratch(Bitmap32& dest, const TRect& rect, DrawFn&& draw) {
    const TRect visible = Intersect(rect, ClipBox(dest));
    if (visible.IsEmpty()) return;
    const int32_t w = int32_t(visible.Width()), h = int32_t(visible.Height());
    Bitmap32 scratch(w, h);
    BitBlt(scratch, 0, 0, w, h, dest, visible.Left, visible.Top);
    draw(scratch, TPoint{visible.Left, visible.Top});
    BitBlt(dest, visible.Left, visible.Top, w, h, scratch, 0, 0);
}

}  // namespace corvane
