#pragma once
// Turning a TColor into a pixel: plain colours convert directly, system colours (0xFF0000nn)
// take the matching colour of the given palette.

#include <QPalette>

#include "platform/raster/Bitmap32.h"
#include "player/PlayerTypes.h"

namespace corvane {

Pixel PixelOfColor(TColor color, const QPalette& palette);

}  // namespace corvane
