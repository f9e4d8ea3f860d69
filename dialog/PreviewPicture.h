#pragma once
// Fitting a picture to the preview: the picture at its own size as plain pixels, rescaled with
// ResampleBitmap to exactly the preview's size (the aspect ratio is not kept).

#include "imaging/Graphic.h"
#include "platform/raster/Bitmap32.h"

namespace corvane {

// The graphic's pixels at its own size. Bitmaps and JPEG pictures give their pixels; any other
// picture (icons, metafiles) is drawn onto the background colour.
Bitmap32 PictureBitmap(const TGraphic& graphic, Pixel background);

// The graphic rescaled to width x height.
Bitmap32 FitPicture(const TGraphic& graphic, int32_t width, int32_t height, Pixel background);

}  // namespace corvane
