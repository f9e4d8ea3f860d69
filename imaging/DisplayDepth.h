#pragma once
// The display's colour depth (bits per pixel times colour planes), read once at start-up by the
// user-interface layer and set here; without a display it counts as 24 bits. JPEG pictures are
// quantised to a palette on displays of 8 bits or fewer.

namespace corvane {

void SetDisplayBitsPerPixel(int bitsPerPixel);
int DisplayBitsPerPixel();

}  // namespace corvane
