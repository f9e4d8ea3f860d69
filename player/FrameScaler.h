#pragma once
// The paint path's scaling: the frame, composed at the picture's own size, is scaled once onto
// its place in a top-down paint buffer that the display library shows unscaled. Pixels leave
// with the unused byte set to 0xFF, which the display library reads as opaque.

#include "platform/raster/Bitmap32.h"
#include "platform/raster/Geometry.h"

namespace corvane {

constexpr Pixel OpaqueBits = 0xFF000000u;

// Maps source (0, 0, src width, src height) onto placement of dest, nearest pixel (the same
// pixels StretchBlt picks), and writes only the part inside area. Ignores dest's surface state.
void ScaleOpaque(Bitmap32& dest, const TRect& placement, const Bitmap32& src, const TRect& area);

// Sets the unused byte of every pixel of the rectangle to 0xFF.
void MakeOpaque(Bitmap32& dest, const TRect& rect);

}  // namespace corvane
