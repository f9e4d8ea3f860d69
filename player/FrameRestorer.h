#pragma once
// Makes the frame being composed start from the old frame without copying the whole old frame
// first. Each frame is drawn over the old frame; the frame before it differs from the old frame
// only in the spans it accessed, row by row. As the access hook of the frame bitmap, the restorer
// copies a row's differing span back from the old frame just before the row is first used, and
// leaves out what the first use overwrites anyway; rows the frame never uses are copied back at
// its end. The frame is then exactly what a full copy and the same drawing give.
//
// Invariant between frames: outside Pending's spans the frame bitmap holds the old frame.

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
    void Begin(const Bitmap32& oldFrame, std::optional<Pixel> plain, int32_t width);
    // Ends the frame on screen (whose hook must no longer be this): the rows it left alone are
    // made the old frame again. Gives the bounding box of all that was copied back or used.
    TRect End(Bitmap32& screen);

    void RowAccess(int32_t y, Pixel* row, int32_t left, int32_t right, bool overwrite) override;

  private:
    struct TSpan {
        int32_t Left = 0, Right = 0;
        bool Empty() const { return Right <= Left; }
    };
    std::vector<TSpan> FPending;    // per row: where it may differ from the old frame
    std::vector<TSpan> FUsed;       // per row: where the frame in progress has used it
    std::vector<uint8_t> FSettled;  // per row: brought back already in this frame
    const Bitmap32* FOld = nullptr;
    std::optional<Pixel> FPlain;
    int32_t FWidth = 0;
    TRect FBox{};

    void CopyBack(int32_t y, Pixel* row, int32_t left, int32_t right);
    void Widen(int32_t y, int32_t left, int32_t right);
};

}  // namespace corvane
