#pragma once
// Drawing on a bitmap's surface, with the platform's names and behaviour:
//  - Destination coordinates are logical: the surface's origin is added to reach device pixels.
//  - Pixels whose destination lies outside the bitmap or outside its clip region, or whose source
//    lies outside the source bitmap, are not written; the destination keeps its old pixels there.
//  - Block copies copy all 32 bits of a pixel.

#include <cstdint>

#include "platform/raster/Bitmap32.h"

namespace corvane {

// Copies the w x h block at (sx, sy) of src to (x, y) of dest. src may be dest; overlapping
// blocks copy as if through a scratch buffer.
void BitBlt(Bitmap32& dest, int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap32& src,
            int32_t sx, int32_t sy);

// Maps the sw x sh block at (sx, sy) of src onto the w x h block at (x, y) of dest, each axis
// scaled on its own, each destination pixel taking the nearest source pixel (no blending). An
// extent -n covers the n pixels ending at the given position, in reverse: when a destination and
// its source extent have opposite signs the copy is mirrored on that axis. A zero extent draws
// nothing.
void StretchBlt(Bitmap32& dest, int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap32& src,
                int32_t sx, int32_t sy, int32_t sw, int32_t sh);

// Sets the clip region (device pixels); no region removes the clipping.
void SelectClipRgn(Bitmap32& dest, const Region* region);
// Removes the rectangle (logical coordinates) from the drawable area, starting from the whole
// surface when no clip region is set.
void ExcludeClipRect(Bitmap32& dest, int32_t l, int32_t t, int32_t r, int32_t b);
// Narrows the drawable area to the rectangle (logical coordinates).
void IntersectClipRect(Bitmap32& dest, int32_t l, int32_t t, int32_t r, int32_t b);
// The bounding box of what can be drawn, in logical coordinates; empty when nothing can.
TRect ClipBox(const Bitmap32& dest);
// Whether any pixel of the rectangle (logical coordinates) can be drawn.
bool RectVisible(const Bitmap32& dest, const TRect& rect);

// Fills the rectangle (logical coordinates) with one pixel value.
void FillRect(Bitmap32& dest, const TRect& rect, Pixel pixel);
// Draws the outline of the rectangle with a solid pen of the given width kept inside it.
void FrameRectInside(Bitmap32& dest, const TRect& rect, int32_t width, Pixel pixel);

// Selects a clip region for a scope and removes the clipping again on every way out of it.
class ClipSelection {
public:
    ClipSelection(Bitmap32& dest, const Region& region) : FDest(dest) {
        SelectClipRgn(dest, &region);
    }
    ~ClipSelection() { SelectClipRgn(FDest, nullptr); }
    ClipSelection(const ClipSelection&) = delete;
    ClipSelection& operator=(const ClipSelection&) = delete;

private:
    Bitmap32& FDest;
};

// Removes whatever clipping is set on the surface on every way out of the scope.
class ClipRemovalOnExit {
public:
    explicit ClipRemovalOnExit(Bitmap32& dest) : FDest(dest) {}
    ~ClipRemovalOnExit() { SelectClipRgn(FDest, nullptr); }
    ClipRemovalOnExit(const ClipRemovalOnExit&) = delete;
    ClipRemovalOnExit& operator=(const ClipRemovalOnExit&) = delete;

private:
    Bitmap32& FDest;
};

// Saves the clipping state of a surface and restores it on every way out of the scope.
class SavedClipState {
public:
    explicit SavedClipState(Bitmap32& dest) : FDest(dest), FSaved(dest.Surface().ClipRegion()) {}
    ~SavedClipState() { FDest.Surface().SetClipRegion(std::move(FSaved)); }
    SavedClipState(const SavedClipState&) = delete;
    SavedClipState& operator=(const SavedClipState&) = delete;

private:
    Bitmap32& FDest;
    std::optional<Region> FSaved;
};

}  // namespace corvane
