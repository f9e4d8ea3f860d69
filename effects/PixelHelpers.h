#pragma once
// Helpers that work on the pixels directly, row by row.

#include <cstdint>

#include "platform/raster/Bitmap32.h"

namespace corvane {

// Darkens a band of Count columns from column Start: most (by about Depth levels) at the band's
// two edges, hardly at all in its middle, over the full height. Count < 2 or Depth 0 does
// nothing. Columns outside the bitmap are left alone.
void ShadeColumns(Bitmap32& Bitmap, uint8_t Depth, int32_t Start, int32_t Count);
// The same for a band of Count rows from row Start, over the full width; the profile is laid out
// from the band's bottom row upward.
void ShadeRows(Bitmap32& Bitmap, uint8_t Depth, int32_t Start, int32_t Count);

// Moves the pixels of the rectangle of Dest toward the same pixels of Src by Percent percent.
void BlendRect(Bitmap32& Dest, const Bitmap32& Src, int32_t Percent, int32_t Left, int32_t Top,
               int32_t Width, int32_t Height);

// Draws Src turned anticlockwise by Angle about (CX, CY), given in bottom-up coordinates, into
// Dest, in 16.16 fixed point; destination pixels whose source falls outside keep their pixel.
void RotateBitmap(Bitmap32& Dest, const Bitmap32& Src, int32_t CX, int32_t CY, long double Angle);

}  // namespace corvane
