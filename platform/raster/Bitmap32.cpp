#include "platform/raster/Bitmap32.h"

namespace corvane {

Bitmap32::Bitmap32(int32_t width, int32_t height, Pixel fill, RowOrder order) : FOrder(order) {
    SetSize(width, height, fill);
}

Bitmap32::Bitmap32(const Bitmap32& other)
    : FWidth(other.FWidth), FHeight(other.FHeight), FOrder(other.FOrder), FPixels(other.FPixels) {}

Bitmap32& Bitmap32::operator=(const Bitmap32& other) {
    if (this != &other) {
        FWidth = other.FWidth;
        FHeight = other.FHeight;
        FOrder = other.FOrder;
        FPixels = other.FPixels;
    }
    return *this;
}

void Bitmap32::SetSize(int32_t width, int32_t height, Pixel fill) {
    if (width <= 0 || height <= 0) width = height = 0;
    FWidth = width;
    FHeight = height;
    FPixels.assign(size_t(width) * size_t(height), fill);
}

}  // namespace corvane
