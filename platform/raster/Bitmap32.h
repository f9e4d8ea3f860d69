#pragma once
// A 32-bit bitmap: one pixel is a 32-bit word with blue in the lowest byte, then green, then red,
// then an unused byte. Rows lie one after the other without padding; by default bottom-up, so
// that the last row (row Height - 1) lies lowest in memory. A top-down bitmap (first row lowest)
// serves as a paint buffer that a display library can show directly. Rows are always addressed
// from the top through Scanline, whatever the order in memory.
//
// Each bitmap carries its drawing surface: the clip region, the stretch mode, the drawing origin
// and one lock that keeps a painter and a composer apart. The lock is re-entrant: a thread that
// holds it may take it again (a handler called while a frame is composed may paint).
//
// A bitmap can note where it is written: while noting is on, Touched() covers every pixel that
// may have changed since the last ResetTouched(). Every way to write pixels goes through a
// non-const accessor, and each one widens Touched(): Scanline(y) by row y, RowForWrite and
// RowForUpdate by the span they name, Bits() by the whole bitmap. So what lies outside Touched() is
// known to be unchanged.
//
// A bitmap can also have an access hook, which every access to its pixels (reading ones and
// copies of the bitmap too) tells first, row by row, so that the hook can bring a row up to date
// just before it is used. A copy of another bitmap's pixels into the same place (CopyRowFrom)
// is left to the hook, which may leave out what the row is known to hold already.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>
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

    std::recursive_mutex& Lock() const { return *FLock; }

private:
    std::optional<Region> FClip;
    int FStretchMode = BLACKONWHITE;
    TPoint FOrigin{};
    std::unique_ptr<std::recursive_mutex> FLock = std::make_unique<std::recursive_mutex>();
};

// Leaves new pixels as they come from memory: a pixel store is always filled or overwritten right
// after it is sized, so zeroing it first would only cost time.
template <typename T>
struct UninitializedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitializedAllocator<U>;
    };
    UninitializedAllocator() = default;
    template <typename U>
    UninitializedAllocator(const UninitializedAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// Told of each access to a bitmap's pixels while it is the bitmap's hook: row y (from the top),
// found at row, is about to be used in the span left to right - 1; overwrite says that the caller
// writes that whole span without reading it.
class TPixelAccessHook {
  public:
    virtual void RowAccess(int32_t y, Pixel* row, int32_t left, int32_t right, bool overwrite) = 0;
    // Makes row[left..right-1] (of row y, found at row) what sourceRow holds there, sourceRow
    // being row y of the bitmap source; by default as an overwriting access and one copy.
    virtual void RowCopy(int32_t y, Pixel* row, const void* source, const Pixel* sourceRow,
                         int32_t left, int32_t right);

  protected:
    ~TPixelAccessHook() = default;
};

class Bitmap32 {
public:
    enum class RowOrder { BottomUp, TopDown };

    Bitmap32() = default;
    Bitmap32(int32_t width, int32_t height, Pixel fill = 0, RowOrder order = RowOrder::BottomUp);
    // Copies the pixels; the copy gets a fresh drawing surface and notes no writes. Assigning
    // keeps the target's surface and its noting, and counts as writing all of it.
    Bitmap32(const Bitmap32& other);
    Bitmap32& operator=(const Bitmap32& other);
    Bitmap32(Bitmap32&& other) noexcept;
    Bitmap32& operator=(Bitmap32&& other) noexcept;

    // Gives the bitmap a new size, every pixel set to fill. Negative sizes count as 0.
    void SetSize(int32_t width, int32_t height, Pixel fill = 0);
    // Gives the bitmap a new size for a caller that writes every pixel next: the pixels are left
    // undefined, and memory the bitmap already holds is used again when it is large enough.
    void SetSizeForOverwrite(int32_t width, int32_t height);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    RowOrder Order() const { return FOrder; }
    TRect Bounds() const { return TRect{0, 0, FWidth, FHeight}; }

    // Row y counted from the top.
    Pixel* Scanline(int32_t y) {
        if (FNoting) Note(0, y, FWidth, y + 1);
        return Access(y, 0, FWidth, false);
    }
    const Pixel* Scanline(int32_t y) const { return Access(y, 0, FWidth, false); }
    // Row y counted from the top, for writing only the pixels left to right - 1 of it.
    Pixel* RowForWrite(int32_t y, int32_t left, int32_t right) {
        if (FNoting) Note(left, y, right, y + 1);
        return Access(y, left, right, true);
    }
    // Row y counted from the top, for reading and changing only the pixels left to right - 1.
    Pixel* RowForUpdate(int32_t y, int32_t left, int32_t right) {
        if (FNoting) Note(left, y, right, y + 1);
        return Access(y, left, right, false);
    }
    // The pixel store as laid out in memory.
    Pixel* Bits() {
        if (FNoting) Note(0, 0, FWidth, FHeight);
        AccessAll();
        return FPixels.data();
    }
    const Pixel* Bits() const {
        AccessAll();
        return FPixels.data();
    }
    size_t PixelCount() const { return FPixels.size(); }

    // Copies the pixels left..right-1 of source's row y into the same place of row y (rows
    // counted from the top; source is another bitmap at least that wide and high).
    void CopyRowFrom(const Bitmap32& source, int32_t y, int32_t left, int32_t right);

    Pixel GetPixel(int32_t x, int32_t y) const { return Scanline(y)[x]; }
    void SetPixel(int32_t x, int32_t y, Pixel p) { RowForWrite(y, x, x + 1)[x] = p; }

    Canvas& Surface() { return FCanvas; }
    const Canvas& Surface() const { return FCanvas; }

    // Noting of writes (see the top of this file); off at first and in copies.
    void SetNoteWrites(bool on) { FNoting = on; }
    bool NotesWrites() const { return FNoting; }
    // What may have been written since the last reset; empty when nothing was.
    TRect Touched() const { return FTouched; }
    void ResetTouched() { FTouched = TRect{}; }
    // Counts the whole bitmap as written.
    void TouchAll() { FTouched = Bounds(); }

    // The access hook (see the top of this file); none at first and in copies.
    void SetAccessHook(TPixelAccessHook* hook) { FHook = hook; }

  private:
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    RowOrder FOrder = RowOrder::BottomUp;
    std::vector<Pixel, UninitializedAllocator<Pixel>> FPixels;
    Canvas FCanvas;
    bool FNoting = false;
    TRect FTouched{};
    TPixelAccessHook* FHook = nullptr;

    // The pixels of a bitmap with a hook are changed by the hook only; a const bitmap has none.
    Pixel* Access(int32_t y, int32_t left, int32_t right, bool overwrite) const {
        Pixel* row = const_cast<Pixel*>(FPixels.data()) + RowOffset(y);
        if (FHook) FHook->RowAccess(y, row, left, right, overwrite);
        return row;
    }
    void AccessAll() const {
        if (FHook)
            for (int32_t y = 0; y < FHeight; ++y) Access(y, 0, FWidth, false);
    }

    void Note(int32_t left, int32_t top, int32_t right, int32_t bottom) {
        if (FTouched.IsEmpty()) {
            FTouched = TRect{left, top, right, bottom};
            return;
        }
        FTouched.Left = std::min(FTouched.Left, left);
        FTouched.Top = std::min(FTouched.Top, top);
        FTouched.Right = std::max(FTouched.Right, right);
        FTouched.Bottom = std::max(FTouched.Bottom, bottom);
    }

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
