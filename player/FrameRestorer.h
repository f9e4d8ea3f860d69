#pragma once
// Makes the frame being composed start from the old frame without copying the whole old frame
// first. Each frame is drawn over the old frame; the frame before it differs from the old frame
// only in the spans it accessed, row by row. As the access hook of the frame bitmap, the restorer
// copies a row's differing span back from the old frame just before the row is first used, and
// leaves out what the first use overwrites anyway; rows the frame never uses are copied back at
// its end. The frame is then exactly what a full copy and the same drawing give.
//
// The restorer also keeps, row by row, the spans where the frame holds the picture's own pixels in
// their own place, as copies of the picture left them. A row's first use in a frame leaves them
// as they are, waiting: a copy of the same pixels in this frame leaves them out (and since they
// do not change, they do not count as changed either); a read of them brings the old frame back
// there first, a write forgets them, and what still waits when the frame ends is brought back.
//
// Invariants between frames: outside Pending's spans the frame bitmap holds the old frame; inside
// Held's spans (which lie inside Pending's) it holds the pixels of the bitmap HeldSource at the
// same place; nothing waits.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/raster/Bitmap32.h"

namespace corvane {

class TFrameRestorer final : public TPixelAccessHook {
  public:
    // The frame bitmap of the given height differs from the old frame at most within differs.
    void Reset(int32_t height, const TRect& differs);
    // Starts a frame over oldFrame, or over the one colour plain when oldFrame has no pixels.
    // Copies are left out where the frame holds them already only if holdCopies is set (the
    // picture may not change between frames then).
    void Begin(const Bitmap32& oldFrame, std::optional<Pixel> plain, int32_t width,
               bool holdCopies);
    // Ends the frame on screen (whose hook must no longer be this): the rows it left alone are
    // made the old frame again. Gives the bounding box of all that was copied back or used.
    TRect End(Bitmap32& screen);

    void RowAccess(int32_t y, Pixel* row, int32_t left, int32_t right, bool overwrite) override;
    void RowCopy(int32_t y, Pixel* row, const void* source, const Pixel* sourceRow, int32_t left,
                 int32_t right) override;

    struct TSpan {
        int32_t Left = 0, Right = 0;
        bool Empty() const { return Right <= Left; }
    };

  private:
    // Per row, sorted and apart: where it may differ from the old frame; where the frame in
    // progress has used it.
    std::vector<std::vector<TSpan>> FPending, FUsed;
    std::vector<uint8_t> FSettled;  // per row: brought back already in this frame
    std::vector<std::vector<TSpan>> FHeld;  // per row: sorted, apart, each holding HeldSource
    std::vector<std::vector<TSpan>> FWaiting;  // per row: the held spans no copy has kept yet
    std::vector<TSpan> FPieces;                // scratch: the pieces of one row to bring back
    const void* FHeldSource = nullptr;
    bool FHolding = false;
    const Bitmap32* FOld = nullptr;
    std::optional<Pixel> FPlain;
    int32_t FWidth = 0;
    TRect FBox{};

    void CopyBack(int32_t y, Pixel* row, int32_t left, int32_t right);
    void Widen(int32_t y, int32_t left, int32_t right);
    // The first use of row y in a frame brings back its pending span, less left..right-1 if that
    // is overwritten.
    void Settle(int32_t y, Pixel* row, int32_t left, int32_t right, bool overwrite);
    void MarkUsed(int32_t y, int32_t left, int32_t right);
    void Forget(int32_t y, int32_t left, int32_t right);
    void Hold(int32_t y, int32_t left, int32_t right);
    void ForgetAllHeld();
};

}  // namespace corvane
