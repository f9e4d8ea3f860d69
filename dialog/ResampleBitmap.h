#pragma once
// Filtered rescaling of a bitmap: two passes (rows, then columns) with the Lanczos-3 kernel,
// L(x) = sinc(x) * sinc(x / 3) for |x| < 3, else 0.
//
// Target pixel i of a pass looks at source pixels around c = i / s, where s is the scale
// (target - 1) / (source - 1), or target / source when either has a single pixel. Scaling up,
// source pixel j weighs round(L(c - j) * 256); scaling down, the window widens to 3 / s and j
// weighs round(L((c - j) * s) * s * 256). Pixels beyond an edge are mirrored into the bitmap (-j
// before the first, 2n - 1 - j after the last; a source too small for the mirror gives its nearest
// pixel). A channel is the weighted sum divided by the sum of the weights, truncated and clamped to
// 0..255 (divided by 256 when the weights sum to 0). The first pass keeps its result in bytes.

#include "platform/raster/Bitmap32.h"

namespace corvane {

// Target becomes Width x Height (bottom-up) holding Source rescaled; the unused byte is 0. Nothing
// more happens when Source or the new size has no pixels.
void ResampleBitmap(int32_t Width, int32_t Height, const Bitmap32& Source, Bitmap32& Target);

}  // namespace corvane
