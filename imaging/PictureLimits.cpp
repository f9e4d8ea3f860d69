#include "imaging/PictureLimits.h"

#include <string>

#include "imaging/ImagingErrors.h"

namespace corvane {

void CheckPictureSize(int64_t width, int64_t height) {
    // Both factors are checked on their own first so that the product cannot overflow.
    if (width > MaxPicturePixels || height > MaxPicturePixels || width * height > MaxPicturePixels)
        throw EPictureTooLarge("Picture is too large (" + std::to_string(width) + " x " +
                               std::to_string(height) + " pixels; at most " +
                               std::to_string(MaxPicturePixels) + " pixels are accepted)");
}

}  // namespace corvane
