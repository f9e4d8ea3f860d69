#include "player/FrameRestorer.h"

#include <algorithm>
#include <cstring>

namespace corvane {

void TFrameRestorer::Reset(int32_t height, const TRect& differs) {
    FPending.assign(size_t(std::max(height, 0)), TSpan{});
    FUsed.assign(FPending.size(), TSpan{});
    FSettled.assign(FPending.size(), 0);
    for (int32_t y = std::max(differs.Top, 0); y < std::min(differs.Bottom, height); ++y)
        FPending[size_t(y)] = TSpan{differs.Left, differs.Right};
}

void TFrameRestorer::Begin(const Bitmap32& oldFrame, std::optional<Pixel> plain, int32_t width) {
    FOld = &oldFrame;
    FPlain = oldFrame.Empty() ? plain : std::nullopt;
    FWidth = width;
    FBox = TRect{};
}

void TFrameRestorer::CopyBack(int32_t y, Pixel* row, int32_t left, int32_t right) {
    left = std::max(left, 0);
    right = std::min(right, FWidth);
    if (right <= left) return;
    if (FPlain)
        std::fill(row + left, row + right, *FPlain);
    else
        std::memcpy(row + left, FOld->Scanline(y) + left, size_t(right - left) * sizeof(Pixel));
    Widen(y, left, right);
}

void TFrameRestorer::Widen(int32_t y, int32_t left, int32_t right) {
    const TRect r{left, y, right, y + 1};
    if (FBox.IsEmpty()) {
        FBox = r;
        return;
    }
    FBox = TRect{std::min(FBox.Left, r.Left), std::min(FBox.Top, r.Top),
                 std::max(FBox.Right, r.Right), std::max(FBox.Bottom, r.Bottom)};
}

void TFrameRestorer::RowAccess(int32_t y, Pixel* row, int32_t left, int32_t right, bool overwrite) {
    if (y < 0 || size_t(y) >= FPending.size()) return;
    const size_t i = size_t(y);
    if (!FSettled[i]) {
        FSettled[i] = 1;
        const TSpan pending = FPending[i];
        if (overwrite && right > left) {
            // What the caller overwrites needs no copy; the rest of the pending span does.
            CopyBack(y, row, pending.Left, std::min(pending.Right, left));
            CopyBack(y, row, std::max(pending.Left, right), pending.Right);
        } else {
            CopyBack(y, row, pending.Left, pending.Right);
        }
    }
    TSpan& used = FUsed[i];
    if (right > left) {
        used = used.Empty() ? TSpan{left, right}
                            : TSpan{std::min(used.Left, left), std::max(used.Right, right)};
        Widen(y, left, right);
    }
}

TRect TFrameRestorer::End(Bitmap32& screen) {
    for (size_t i = 0; i < FPending.size(); ++i) {
        if (!FSettled[i] && !FPending[i].Empty()) {
            const int32_t y = int32_t(i);
            CopyBack(y, screen.RowForWrite(y, FPending[i].Left, FPending[i].Right),
                     FPending[i].Left, FPending[i].Right);
        }
        FPending[i] = FUsed[i];
        FUsed[i] = TSpan{};
        FSettled[i] = 0;
    }
    FOld = nullptr;
    return FBox;
}

}  // namespace corvane
