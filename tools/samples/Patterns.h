#pragma once
// Procedural pictures the project makes itself: demo and sample pictures, and test material.

#include <string>

#include "platform/raster/Bitmap32.h"

namespace corvane {

// The number of distinct patterns; MakePattern takes any index and wraps around.
constexpr int PatternCount = 10;

// Pattern `index` at the given size; the same arguments always give the same picture.
Bitmap32 MakePattern(int index, int32_t width, int32_t height);
std::string PatternName(int index);

// A picture with the make-up of a photograph rather than of a drawing: soft gradients and
// blurred shapes under mid-scale texture and fine grain, so that it compresses, and costs to
// decode, about as a camera's JPEG of the same size does. The same arguments always give the
// same picture.
Bitmap32 MakePhotoLike(int index, int32_t width, int32_t height);

}  // namespace corvane
