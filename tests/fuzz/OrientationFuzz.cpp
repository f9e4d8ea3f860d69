// Feeds arbitrary bytes to the EXIF orientation reader, and turns a small picture by what it
// read: any value must come out as 1 to 8, and the turn must keep every pixel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/Orientation.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Bytes bytes(data, size);
    const int orientation = ReadExifOrientation(bytes);
    if (orientation < 1 || orientation > 8 || ReadTiffOrientation(bytes) < 1) std::abort();
    Bitmap32 picture(3, 2);
    for (int32_t i = 0; i < 6; ++i) picture.SetPixel(i % 3, i / 3, Pixel(i));
    const Bitmap32 upright = TurnUpright(picture, orientation);
    if (upright.PixelCount() != 6) std::abort();
    return 0;
}
