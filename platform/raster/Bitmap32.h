#pragma once
// A 32-bit bitmap: one pixel is a 32-bit word with blue in the lowest byte, then green, then red,
// then an unused byte. Rows lie one after the other without padding; by default bottom-up, so
// that the last row (row Height - 1) lies lowest in memory. A top-down bitmap (first row lowest)
// serves as a paint buffer that a display library can show directly. Rows are always addressed
// from the top through Scanline, whatever the order in memory.
//
// Each bitmap carries its drawing surface: the clip region, the stretch mode, the drawing origin
// and one lock that keeps a painter and a composer apart.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/raster/Region.h"

namespace corvane {

using Pixel = uint32_t;

// Stretch modes of a drawing surface. Scaled copies always pick whole source pixels; the mode is
// kept because callers set and expect it.
enum StretchModeKind { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

class Canvas {
public:
    // The clip region in device pixels, or none when the whole surface is drawable.
    const std::optional<Region>& ClipRegion() const { return FClip; }
    void SetClipRegion(std::optional<Region> clip) { FClip = std::move(clip); }

    int StretchMode() const { return FStretchMode; }
    void SetStretchMode(int mode) { FStretchMode = mode; }

    // Logical coordinates map to device pixels by adding the origin.
    TPoint Origin() const { return FOrigin; }
    void SetOrigin(TPoint origin) { FOrigin = origin; }

    std::mutex& Lock() const { return *FLock; }

private:
    std::optional<Region> FClip;
    int FStretchMode = BLACKONWHITE;
    TPoint FOrigin{};
    std::unique_ptr<std::mutex> FLock = std::make_unique<std::mutex>();
};

class Bitmap32 {
public:
    enum class RowOrder { BottomUp, TopDown };

    Bitmap32() = default;
    Bitmap32(int32_t width, int32_t height, Pixel fill = 0, RowOrder order = RowOrder::BottomUp);
    // Copies the pixels; the copy gets a fresh drawing surface.
    Bitmap32(const Bitmap32& other);
    Bitmap32& operator=(const Bitmap32& other);
    Bitmap32(Bitmap32&&) noexcept = default;
    Bitmap32& operator=(Bitmap32&&) noexcept = default;

    // Gives the bitmap a new size, every pixel set to fill. Negative sizes count as 0.
    void SetSize(int32_t width, int32_t height, Pixel fill = 0);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    RowOrder Order() const { return FOrder; }
    TRect Bounds() const { return TRect{0, 0, FWidth, FHeight}; }

    // Row y counted from the top.
    Pixel* Scanline(int32_t y) { return FPixels.data() + RowOffset(y); }
    const Pixel* Scanline(int32_t y) const { return FPixels.data() + RowOffset(y); }
    // The pixel store as laid out in memory.
    Pixel* Bits() { return FPixels.data(); }
    const Pixel* Bits() const { return FPixels.data(); }
    size_t PixelCount() const { return FPixels.size(); }

    Pixel GetPixel(int32_t x, int32_t y) const { return Scanline(y)[x]; }
    void SetPixel(int32_t x, int32_t y, Pixel p) { Scanline(y)[x] = p; }

    Canvas& Surface() { return FCanvas; }
    const Canvas& Surface() const { return FCanvas; }

private:
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    RowOrder FOrder = RowOrder::BottomUp;
    std::vector<Pixel> FPixels;
    Canvas FCanvas;

    size_t RowOffset(int32_t y) const {
        size_t row = FOrder == RowOrder::BottomUp ? size_t(FHeight - 1 - y) : size_t(y);
        return row * size_t(FWidth);
    }
};

// A colour 0x00BBGGRR as a pixel.
constexpr Pixel ColorToPixel(uint32_t color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr Pixel MakePixel(uint8_t r, uint8_t g, uint8_t b) {
    return (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
}
constexpr uint8_t PixelRed(Pixel p) { return uint8_t(p >> 16); }
constexpr uint8_t PixelGreen(Pixel p) { return uint8_t(p >> 8); }
constexpr uint8_t PixelBlue(Pixel p) { return uint8_t(p); }

}  // namespace corvane
