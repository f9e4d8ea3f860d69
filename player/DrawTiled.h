#pragma once

#include "imaging/Graphic.h"
#include "platform/raster/Bitmap32.h"

namespace corvane {

// Tiles the graphic at its own size over the rectangle (logical coordinates of the canvas), the
// tile grid starting at the rectangle's top-left corner. Only the tiles that reach the drawable
// part of the rectangle are drawn; the canvas's clipping is left as it was.
void DrawTiled(Bitmap32& canvas, const TRect& rect, const TGraphic& graphic);

}  // namespace corvane
