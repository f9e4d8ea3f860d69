#pragma once
// The size limit for pictures. Picture files are untrusted: every decoder checks the size a file
// states against this limit before it allocates anything for the pixels, so that a few bytes of
// header cannot demand gigabytes.

#include <cstdint>

namespace corvane {

constexpr int64_t MaxPicturePixels = int64_t(1) << 28;

// Throws EPictureTooLarge when width x height exceeds MaxPicturePixels; width and height must
// already be known to be positive.
void CheckPictureSize(int64_t width, int64_t height);

}  // namespace corvane
