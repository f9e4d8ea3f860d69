#pragma once
// The innermost loops of the effects that touch every pixel: each works on one run of count
// pixels lying one after the other in memory, is a straight loop the compiler vectorises, and
// gives exactly what the per-pixel rule it names gives.

#include <cstddef>
#include <cstdint>

#include "platform/raster/Bitmap32.h"

namespace corvane {

// Each of the red, green and blue bytes of dest becomes d + floor((s - d) * a / 256), s being
// the byte of src; the fourth byte is kept. 0 <= a <= 256.
void BlendRun(Pixel* dest, const Pixel* src, size_t count, int32_t a);

// Draws Random(100) once per pixel, in order, from the generator state `state` (which ends
// advanced by count draws), and copies the pixel of src where the number is below progress.
void DissolveRun(Pixel* dest, const Pixel* src, size_t count, uint32_t& state, int32_t progress);

// Copies the pixel of src where mask holds all ones, keeps dest where it holds 0.
void SelectRun(Pixel* dest, const Pixel* src, const Pixel* mask, size_t count);

}  // namespace corvane
