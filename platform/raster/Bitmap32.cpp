#include "platform/raster/Bitmap32.h"

#include <cstring>

namespace corvane {

Bitmap32::Bitmap32(int32_t width, int32_t height, Pixel fill, RowOrder order) : FOrder(order) {
    SetSize(width, height, fill);
}

Bitmap32::Bitmap32(const Bitmap32& other)
    : FWidth(other.FWidth),
      FHeight(other.FHeight),
      FOrder(other.FOrder),
      FPixels((other.AccessAll(), other.FPixels)) {}

Bitmap32& Bitmap32::operator=(const Bitmap32& other) {
    if (this != &other) {
        other.AccessAll();
        FWidth = other.FWidth;
        FHeight = other.FHeight;
        FOrder = other.FOrder;
        FPixels = other.FPixels;
        if (FNoting) TouchAll();
    }
    return *this;
}

Bitmap32::Bitmap32(Bitmap32&& other) noexcept
    : FWidth(std::exchange(other.FWidth, 0)),
      FHeight(std::exchange(other.FHeight, 0)),
      FOrder(other.FOrder),
      FPixels(std::move(other.FPixels)),
      FCanvas(std::move(other.FCanvas)) {
    other.FPixels.clear();
}

Bitmap32& Bitmap32::operator=(Bitmap32&& other) noexcept {
    if (this != &other) {
        FWidth = std::exchange(other.FWidth, 0);
        FHeight = std::exchange(other.FHeight, 0);
        FOrder = other.FOrder;
        FPixels = std::move(other.FPixels);
        other.FPixels.clear();
        FCanvas = std::move(other.FCanvas);
        if (FNoting) TouchAll();
    }
    return *this;
}

void Bitmap32::SetSize(int32_t width, int32_t height, Pixel fill) {
    if (width <= 0 || height <= 0) width = height = 0;
    FWidth = width;
    FHeight = height;
    FPixels.assign(size_t(width) * size_t(height), fill);
    if (FNoting) TouchAll();
}

void Bitmap32::SetSizeForOverwrite(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) width = height = 0;
    const size_t count = size_t(width) * size_t(height);
    // A larger store is made afresh rather than grown, which would first copy the old pixels.
    if (count > FPixels.capacity()) decltype(FPixels)().swap(FPixels);
    FPixels.resize(count);
    FWidth = width;
    FHeight = height;
    if (FNoting) TouchAll();
}

void TPixelAccessHook::RowCopy(int32_t y, Pixel* row, const void*, const Pixel* sourceRow,
                               int32_t left, int32_t right) {
    RowAccess(y, row, left, right, true);
    std::memcpy(row + left, sourceRow + left, size_t(right - left) * sizeof(Pixel));
}

void Bitmap32::CopyRowFrom(const Bitmap32& source, int32_t y, int32_t left, int32_t right) {
    if (right <= left) return;
    if (FNoting) Note(left, y, right, y + 1);
    Pixel* row = FPixels.data() + RowOffset(y);
    const Pixel* from = source.Scanline(y);
    if (FHook)
        FHook->RowCopy(y, row, &source, from, left, right);
    else
        std::memcpy(row + left, from + left, size_t(right - left) * sizeof(Pixel));
}

}  // namespace corvane
