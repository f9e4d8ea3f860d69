#include "player/FrameRestorer.h"

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {
// Rows holding more pieces of the picture than this are forgotten rather than searched: the
// few-pixel pieces of speckles would make the lists long and save little.
constexpr size_t MaxHeldPerRow = 32;
// Rows used in more pieces than this count as used over all of them.
constexpr size_t MaxUsedPerRow = 32;

using TSpans = std::vector<TFrameRestorer::TSpan>;

// Takes left..right-1 out of the sorted, apart spans.
void Subtract(TSpans& spans, int32_t left, int32_t right) {
    if (spans.empty() || right <= left) return;
    if (std::none_of(spans.begin(), spans.end(),
                     [&](const auto& s) { return s.Left < right && s.Right > left; }))
        return;
    TSpans kept;
    kept.reserve(spans.size() + 1);
    for (const auto& s : spans) {
        if (s.Right <= left || s.Left >= right) {
            kept.push_back(s);
            continue;
        }
        if (s.Left < left) kept.push_back({s.Left, left});
        if (s.Right > right) kept.push_back({right, s.Right});
    }
    spans.swap(kept);
}

// Adds left..right-1 to the sorted, apart spans, joining those it overlaps or touches. Beyond
// limit spans they become one span over all of them (keepHull) or none.
void Add(TSpans& spans, int32_t left, int32_t right, size_t limit, bool keepHull) {
    if (right <= left) return;
    auto first = std::lower_bound(spans.begin(), spans.end(), left,
                                  [](const TFrameRestorer::TSpan& s, int32_t x) { return s.Right < x; });
    auto last = first;
    TFrameRestorer::TSpan joined{left, right};
    while (last != spans.end() && last->Left <= right) {
        joined.Left = std::min(joined.Left, last->Left);
        joined.Right = std::max(joined.Right, last->Right);
        ++last;
    }
    first = spans.erase(first, last);
    spans.insert(first, joined);
    if (spans.size() <= limit) return;
    const TFrameRestorer::TSpan hull{spans.front().Left, spans.back().Right};
    spans.clear();
    if (keepHull) spans.push_back(hull);
}

// Calls piece for each part of left..right-1 outside the sorted, apart spans.
template <typename Piece>
void ForEachOutside(const TSpans& spans, int32_t left, int32_t right, Piece piece) {
    int32_t x = left;
    for (const auto& s : spans) {
        if (s.Right <= x) continue;
        if (s.Left >= right) break;
        if (s.Left > x) piece(x, s.Left);
        x = std::max(x, s.Right);
    }
    if (x < right) piece(x, right);
}
}  // namespace

void TFrameRestorer::Reset(int32_t height, const TRect& differs) {
    const size_t rows = size_t(std::max(height, 0));
    for (auto* lists : {&FPending, &FUsed, &FHeld, &FWaiting}) {
        lists->resize(rows);
        for (TSpans& spans : *lists) spans.clear();
    }
    FSettled.assign(rows, 0);
    FHeldSource = nullptr;
    if (differs.Right > differs.Left)
        for (int32_t y = std::max(differs.Top, 0); y < std::min(differs.Bottom, height); ++y)
            FPending[size_t(y)].push_back(TSpan{differs.Left, differs.Right});
}

void TFrameRestorer::ForgetAllHeld() {
    for (TSpans& spans : FHeld) spans.clear();
    FHeldSource = nullptr;
}

void TFrameRestorer::Begin(const Bitmap32& oldFrame, std::optional<Pixel> plain, int32_t width,
                           bool holdCopies) {
    if (!holdCopies) ForgetAllHeld();
    FHolding = holdCopies;
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
    Forget(y, left, right);
    Widen(y, left, right);
}

void TFrameRestorer::Forget(int32_t y, int32_t left, int32_t right) {
    Subtract(FHeld[size_t(y)], left, right);
    Subtract(FWaiting[size_t(y)], left, right);
}

void TFrameRestorer::Hold(int32_t y, int32_t left, int32_t right) {
    Add(FHeld[size_t(y)], left, right, MaxHeldPerRow, false);
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

void TFrameRestorer::Settle(int32_t y, Pixel* row, int32_t left, int32_t right, bool overwrite) {
    const size_t i = size_t(y);
    if (FSettled[i]) return;
    FSettled[i] = 1;
    // What the row holds of the picture waits: a copy of the same pixels in this frame keeps it,
    // anything else brings the old frame back there.
    FWaiting[i] = FHeld[i];
    FPieces.clear();
    for (const TSpan& p : FPending[i])
        ForEachOutside(FHeld[i], p.Left, p.Right, [&](int32_t from, int32_t to) {
            if (overwrite && right > left) {
                // What the caller overwrites needs no copy.
                FPieces.push_back({from, std::min(to, left)});
                FPieces.push_back({std::max(from, right), to});
            } else {
                FPieces.push_back({from, to});
            }
        });
    for (const TSpan& piece : FPieces) CopyBack(y, row, piece.Left, piece.Right);
}

void TFrameRestorer::MarkUsed(int32_t y, int32_t left, int32_t right) {
    Add(FUsed[size_t(y)], left, right, MaxUsedPerRow, true);
}

void TFrameRestorer::RowAccess(int32_t y, Pixel* row, int32_t left, int32_t right, bool overwrite) {
    if (y < 0 || size_t(y) >= FPending.size()) return;
    Settle(y, row, left, right, overwrite);
    if (right <= left) return;
    // A reader sees the old frame where the picture waits; a writer may change anything.
    if (!overwrite && !FWaiting[size_t(y)].empty()) {
        FPieces = FWaiting[size_t(y)];
        for (const TSpan& s : FPieces)
            CopyBack(y, row, std::max(s.Left, left), std::min(s.Right, right));
    }
    Forget(y, left, right);
    MarkUsed(y, left, right);
    Widen(y, left, right);
}

void TFrameRestorer::RowCopy(int32_t y, Pixel* row, const void* source, const Pixel* sourceRow,
                             int32_t left, int32_t right) {
    if (!FHolding || y < 0 || size_t(y) >= FPending.size()) {
        TPixelAccessHook::RowCopy(y, row, source, sourceRow, left, right);
        return;
    }
    if (source != FHeldSource) {
        ForgetAllHeld();
        FHeldSource = source;
    }
    Settle(y, row, left, right, true);
    ForEachOutside(FHeld[size_t(y)], left, right, [&](int32_t from, int32_t to) {
        std::memcpy(row + from, sourceRow + from, size_t(to - from) * sizeof(Pixel));
        Widen(y, from, to);
    });
    Subtract(FWaiting[size_t(y)], left, right);
    MarkUsed(y, left, right);
    Hold(y, left, right);
}

TRect TFrameRestorer::End(Bitmap32& screen) {
    for (size_t i = 0; i < FPending.size(); ++i) {
        const int32_t y = int32_t(i);
        if (!FSettled[i] && !FPending[i].empty()) {
            FPieces = FPending[i];
            Pixel* row = screen.RowForWrite(y, FPieces.front().Left, FPieces.back().Right);
            for (const TSpan& p : FPieces) CopyBack(y, row, p.Left, p.Right);
        } else if (!FWaiting[i].empty()) {
            // What no copy of this frame kept goes back to the old frame.
            FPieces = FWaiting[i];
            Pixel* row = screen.RowForUpdate(y, FPieces.front().Left, FPieces.back().Right);
            for (const TSpan& s : FPieces) CopyBack(y, row, s.Left, s.Right);
        }
        FPending[i].swap(FUsed[i]);
        FUsed[i].clear();
        FSettled[i] = 0;
    }
    FOld = nullptr;
    return FBox;
}

}  // namespace corvane
