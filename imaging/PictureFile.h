#pragma once
// Reading a picture file into pixels, for tools that need no picture holder.

#include <string>

#include "platform/raster/Bitmap32.h"

namespace corvane {

// Loads the file through the format registry (by extension) and returns the picture drawn at
// its own size at (0, 0) onto a new bottom-up bitmap of the picture's size, first filled with
// background. Errors are raised with the system's messages. A tool that has not filled the
// registry at start-up gets it filled here on first use.
Bitmap32 LoadPictureBitmap(const std::string& fileName, Pixel background = 0);

}  // namespace corvane
