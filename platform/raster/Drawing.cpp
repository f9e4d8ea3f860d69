#include "platform/raster/Drawing.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace corvane {

namespace {

// A device rectangle with 64-bit edges, so that positions plus extents never overflow.
struct Box {
    int64_t Left, Top, Right, Bottom;
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
};

Box IntersectBox(const Box& a, const Box& b) {
    return Box{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
}

Box BoundsBox(const Bitmap32& bmp) { return Box{0, 0, bmp.Width(), bmp.Height()}; }

// Calls fn with each device rectangle of area (inside the bitmap) that the clip region lets
// through, top to bottom: a band of one span as one rectangle, a band of several spans row by
// row, left to right.
template <typename Fn>
void ForEachDrawable(const Bitmap32& dest, const Box& area, Fn&& fn) {
    if (area.IsEmpty()) return;
    const auto& clip = dest.Surface().ClipRegion();
    if (!clip) {
        fn(TRect{int32_t(area.Left), int32_t(area.Top), int32_t(area.Right), int32_t(area.Bottom)});
        return;
    }
    for (const Region::Band& band : clip->Bands()) {
        if (band.Bottom <= area.Top) continue;
        if (band.Top >= area.Bottom) break;
        int32_t top = int32_t(std::max<int64_t>(band.Top, area.Top));
        int32_t bottom = int32_t(std::min<int64_t>(band.Bottom, area.Bottom));
        auto spans = clip->SpansOf(band);
        if (spans.size() == 1) {
            const Region::Span& s = spans[0];
            if (s.Right > area.Left && s.Left < area.Right)
                fn(TRect{int32_t(std::max<int64_t>(s.Left, area.Left)), top,
                         int32_t(std::min<int64_t>(s.Right, area.Right)), bottom});
            continue;
        }
        // A band of several spans is walked row by row, so that memory is read and written in
        // order rather than one narrow column at a time down the whole band.
        for (int32_t row = top; row < bottom; ++row)
            for (const Region::Span& s : spans) {
                if (s.Right <= area.Left) continue;
                if (s.Left >= area.Right) break;
                fn(TRect{int32_t(std::max<int64_t>(s.Left, area.Left)), row,
                         int32_t(std::min<int64_t>(s.Right, area.Right)), row + 1});
            }
    }
}

// One axis of a scaled copy: destination position k (0 <= k < |extent|) lies at
// origin + k for a positive extent and origin - k for a negative one, and takes source
// position floor((k + 1/2) * |sourceExtent| / |extent|).
struct AxisMap {
    std::vector<int32_t> Source;  // source index per device index in [First, Last), or -1
    int64_t First = 0, Last = 0;  // device range with a valid source
};

AxisMap MapAxis(int64_t origin, int64_t extent, int64_t srcOrigin, int64_t srcExtent,
                int64_t deviceLimit, int64_t sourceLimit) {
    AxisMap map;
    const int64_t n = extent < 0 ? -extent : extent;
    const int64_t sn = srcExtent < 0 ? -srcExtent : srcExtent;
    // Device range covered by the destination block, inside the bitmap.
    int64_t lo = extent > 0 ? origin : origin - n + 1;
    int64_t hi = lo + n;
    lo = std::max<int64_t>(lo, 0);
    hi = std::min<int64_t>(hi, deviceLimit);
    if (lo >= hi) return map;
    map.Source.assign(size_t(hi - lo), -1);
    int64_t first = hi, last = lo;
    for (int64_t d = lo; d < hi; ++d) {
        int64_t k = extent > 0 ? d - origin : origin - d;
        int64_t m = ((2 * k + 1) * sn) / (2 * n);
        int64_t s = srcExtent > 0 ? srcOrigin + m : srcOrigin - m;
        if (s < 0 || s >= sourceLimit) continue;
        map.Source[size_t(d - lo)] = int32_t(s);
        first = std::min(first, d);
        last = std::max(last, d + 1);
    }
    // The mapping is monotone, so the positions with a source form one run.
    if (first < last) {
        map.Source.erase(map.Source.begin(), map.Source.begin() + (first - lo));
        map.Source.resize(size_t(last - first));
    } else {
        map.Source.clear();
    }
    map.First = first < last ? first : 0;
    map.Last = first < last ? last : 0;
    return map;
}

// One destination row of a scaled copy from its source row: count pixels, each from the column
// colSrc gives; same-size rows copy as a run, mirrored or not.
void CopyMappedRow(Pixel* out, const Pixel* in, const int32_t* colSrc, size_t count, bool sameWidth,
                   bool forward) {
    if (sameWidth && forward) {
        std::memcpy(out, in + colSrc[0], count * sizeof(Pixel));
    } else if (sameWidth) {
        const Pixel* p = in + colSrc[0];
        for (size_t i = 0; i < count; ++i) out[i] = *(p - i);
    } else {
        for (size_t i = 0; i < count; ++i) out[i] = in[colSrc[i]];
    }
}

// An unclipped scaled copy within one bitmap, row by row in an order that reads every source row
// before it is overwritten: rows that read a row below them go from the top, rows that read a
// row above them from the bottom, and rows that read themselves (through a copy of the row)
// last. The row map is monotone, so one of the two orders of the first two groups works; false
// when neither does (a mirrored copy), and nothing has been drawn then.
bool StretchWithinBitmap(Bitmap32& bmp, const AxisMap& cols, const AxisMap& rows, bool sameWidth,
                         bool forward) {
    const int32_t first = int32_t(rows.First), last = int32_t(rows.Last);
    auto sourceOf = [&](int32_t row) { return rows.Source[size_t(row - first)]; };
    std::vector<int32_t> readBelow, readAbove, readSelf;
    for (int32_t row = first; row < last; ++row) {
        const int32_t s = sourceOf(row);
        (s > row ? readBelow : s < row ? readAbove : readSelf).push_back(row);
    }
    std::reverse(readAbove.begin(), readAbove.end());
    std::vector<int32_t> order;
    std::vector<uint8_t> written(size_t(last - first));
    auto orderIsSafe = [&](const std::vector<int32_t>& a, const std::vector<int32_t>& b) {
        order.clear();
        for (const std::vector<int32_t>* group : {&a, &b, &std::as_const(readSelf)})
            order.insert(order.end(), group->begin(), group->end());
        std::fill(written.begin(), written.end(), uint8_t(0));
        for (int32_t row : order) {
            const int32_t s = sourceOf(row);
            if (s != row && s >= first && s < last && written[size_t(s - first)]) return false;
            written[size_t(row - first)] = 1;
        }
        return true;
    };
    if (!orderIsSafe(readBelow, readAbove) && !orderIsSafe(readAbove, readBelow)) return false;

    const int32_t left = int32_t(cols.First);
    const size_t count = size_t(cols.Last - cols.First);
    std::vector<Pixel> line;  // a copy of a row that is its own source
    int32_t previousRow = -1, previousSource = -1;
    for (int32_t row : order) {
        const int32_t s = sourceOf(row);
        Pixel* out = bmp.Scanline(row) + left;
        if (s == previousSource) {  // the same source row was just drawn: repeat that row
            std::memcpy(out, bmp.Scanline(previousRow) + left, count * sizeof(Pixel));
        } else {
            const Pixel* in = bmp.Scanline(s);
            if (s == row) {
                line.assign(in, in + bmp.Width());
                in = line.data();
            }
            CopyMappedRow(out, in, cols.Source.data(), count, sameWidth, forward);
        }
        previousRow = row;
        previousSource = s;
    }
    return true;
}

}  // namespace

void BitBlt(Bitmap32& dest, int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap32& src,
            int32_t sx, int32_t sy) {
    if (w <= 0 || h <= 0 || dest.Empty() || src.Empty()) return;
    const TPoint org = dest.Surface().Origin(), srcOrg = src.Surface().Origin();
    const int64_t dx = int64_t(x) + org.X, dy = int64_t(y) + org.Y;
    const int64_t ssx = int64_t(sx) + srcOrg.X, ssy = int64_t(sy) + srcOrg.Y;
    // Offsets from device position to source position.
    const int64_t offX = ssx - dx, offY = ssy - dy;
    Box area = IntersectBox(Box{dx, dy, dx + w, dy + h}, BoundsBox(dest));
    area = IntersectBox(area, Box{-offX, -offY, src.Width() - offX, src.Height() - offY});
    if (area.IsEmpty()) return;

    if (&src == &dest && !dest.Surface().ClipRegion()) {
        // An unclipped in-place copy moves whole row pieces: taking the rows in the order that
        // reads each source row before it is overwritten, and moving each piece as one block,
        // reads every source pixel before any is overwritten.
        const size_t bytes = size_t(area.Right - area.Left) * sizeof(Pixel);
        const int32_t top = int32_t(area.Top), bottom = int32_t(area.Bottom);
        const bool sourceAbove = offY < 0;  // then start from the bottom row
        for (int32_t i = 0; i < bottom - top; ++i) {
            const int32_t row = sourceAbove ? bottom - 1 - i : top + i;
            std::memmove(dest.Scanline(row) + area.Left,
                         dest.Scanline(int32_t(row + offY)) + (area.Left + offX), bytes);
        }
        return;
    }
    const Bitmap32* from = &src;
    Bitmap32 scratch;
    int64_t fromOffX = offX, fromOffY = offY;
    if (&src == &dest) {
        // An in-place copy reads every source pixel before any is overwritten.
        scratch = Bitmap32(int32_t(area.Right - area.Left), int32_t(area.Bottom - area.Top));
        for (int64_t row = area.Top; row < area.Bottom; ++row)
            std::memcpy(scratch.Scanline(int32_t(row - area.Top)),
                        src.Scanline(int32_t(row + offY)) + (area.Left + offX),
                        size_t(area.Right - area.Left) * sizeof(Pixel));
        from = &scratch;
        fromOffX = -area.Left;
        fromOffY = -area.Top;
    }
    // Pixels copied to where they stand in the source are the bitmap's own copy of a row.
    const bool inPlace = from == &src && fromOffX == 0 && fromOffY == 0;
    ForEachDrawable(dest, area, [&](const TRect& r) {
        const size_t bytes = size_t(r.Right - r.Left) * sizeof(Pixel);
        for (int32_t row = r.Top; row < r.Bottom; ++row) {
            if (inPlace)
                dest.CopyRowFrom(src, row, r.Left, r.Right);
            else
                std::memcpy(dest.RowForWrite(row, r.Left, r.Right) + r.Left,
                            from->Scanline(int32_t(row + fromOffY)) + (r.Left + fromOffX), bytes);
        }
    });
}

void StretchBlt(Bitmap32& dest, int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap32& src,
                int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
    if (w == 0 || h == 0 || sw == 0 || sh == 0 || dest.Empty() || src.Empty()) return;
    if (w == sw && h == sh && w > 0 && h > 0) {
        BitBlt(dest, x, y, w, h, src, sx, sy);
        return;
    }
    const TPoint org = dest.Surface().Origin(), srcOrg = src.Surface().Origin();
    const AxisMap cols = MapAxis(int64_t(x) + org.X, w, int64_t(sx) + srcOrg.X, sw, dest.Width(),
                                 src.Width());
    const AxisMap rows = MapAxis(int64_t(y) + org.Y, h, int64_t(sy) + srcOrg.Y, sh, dest.Height(),
                                 src.Height());
    if (cols.First >= cols.Last || rows.First >= rows.Last) return;

    // Same-size axes copy runs of pixels; a row that repeats the source row of the row above it
    // in the same clip rectangle is copied from there.
    const bool sameWidth = (w < 0 ? -int64_t(w) : w) == (sw < 0 ? -int64_t(sw) : sw);
    const bool forward = (w > 0) == (sw > 0);
    if (&src == &dest && !dest.Surface().ClipRegion() &&
        StretchWithinBitmap(dest, cols, rows, sameWidth, forward))
        return;
    Bitmap32 scratch;
    const Bitmap32* from = &src;
    if (&src == &dest) {
        scratch = src;
        from = &scratch;
    }
    ForEachDrawable(dest, Box{cols.First, rows.First, cols.Last, rows.Last}, [&](const TRect& r) {
        const int32_t* colSrc = cols.Source.data() + (r.Left - cols.First);
        const size_t count = size_t(r.Right - r.Left);
        int32_t previousSource = -1;
        for (int32_t row = r.Top; row < r.Bottom; ++row) {
            const int32_t sourceRow = rows.Source[size_t(row - rows.First)];
            Pixel* out = dest.RowForWrite(row, r.Left, r.Right) + r.Left;
            if (sourceRow == previousSource) {
                std::memcpy(out, std::as_const(dest).Scanline(row - 1) + r.Left,
                            count * sizeof(Pixel));
                continue;
            }
            previousSource = sourceRow;
            CopyMappedRow(out, from->Scanline(sourceRow), colSrc, count, sameWidth, forward);
        }
    });
}

void SelectClipRgn(Bitmap32& dest, const Region* region) {
    if (region)
        dest.Surface().SetClipRegion(*region);
    else
        dest.Surface().SetClipRegion(std::nullopt);
}

namespace {
Region LogicalRectToDevice(const Bitmap32& dest, int32_t l, int32_t t, int32_t r, int32_t b) {
    const TPoint org = dest.Surface().Origin();
    return Region(TRect{ClampCoord(int64_t(l) + org.X), ClampCoord(int64_t(t) + org.Y),
                        ClampCoord(int64_t(r) + org.X), ClampCoord(int64_t(b) + org.Y)});
}

Region DrawableArea(const Bitmap32& dest) {
    const auto& clip = dest.Surface().ClipRegion();
    return clip ? *clip : Region(dest.Bounds());
}
}  // namespace

void ExcludeClipRect(Bitmap32& dest, int32_t l, int32_t t, int32_t r, int32_t b) {
    dest.Surface().SetClipRegion(Region::Combine(DrawableArea(dest),
                                                 LogicalRectToDevice(dest, l, t, r, b),
                                                 Region::Op::Diff));
}

void IntersectClipRect(Bitmap32& dest, int32_t l, int32_t t, int32_t r, int32_t b) {
    dest.Surface().SetClipRegion(Region::Combine(DrawableArea(dest),
                                                 LogicalRectToDevice(dest, l, t, r, b),
                                                 Region::Op::And));
}

TRect ClipBox(const Bitmap32& dest) {
    Region area = Region::Combine(DrawableArea(dest), Region(dest.Bounds()), Region::Op::And);
    if (area.IsEmpty()) return TRect{};
    TRect box = area.Extents();
    const TPoint org = dest.Surface().Origin();
    return TRect{box.Left - org.X, box.Top - org.Y, box.Right - org.X, box.Bottom - org.Y};
}

bool RectVisible(const Bitmap32& dest, const TRect& rect) {
    bool visible = false;
    const TPoint org = dest.Surface().Origin();
    Box area = IntersectBox(Box{int64_t(rect.Left) + org.X, int64_t(rect.Top) + org.Y,
                                int64_t(rect.Right) + org.X, int64_t(rect.Bottom) + org.Y},
                            BoundsBox(dest));
    ForEachDrawable(dest, area, [&](const TRect&) { visible = true; });
    return visible;
}

void FillRect(Bitmap32& dest, const TRect& rect, Pixel pixel) {
    const TPoint org = dest.Surface().Origin();
    Box area = IntersectBox(Box{int64_t(rect.Left) + org.X, int64_t(rect.Top) + org.Y,
                                int64_t(rect.Right) + org.X, int64_t(rect.Bottom) + org.Y},
                            BoundsBox(dest));
    ForEachDrawable(dest, area, [&](const TRect& r) {
        for (int32_t row = r.Top; row < r.Bottom; ++row) {
            Pixel* line = dest.RowForWrite(row, r.Left, r.Right);
            std::fill(line + r.Left, line + r.Right, pixel);
        }
    });
}

void FrameRectInside(Bitmap32& dest, const TRect& rect, int32_t width, Pixel pixel) {
    if (width <= 0 || rect.IsEmpty()) return;
    if (2 * int64_t(width) >= rect.Width() || 2 * int64_t(width) >= rect.Height()) {
        FillRect(dest, rect, pixel);
        return;
    }
    const int32_t l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    FillRect(dest, TRect{l, t, r, t + width}, pixel);
    FillRect(dest, TRect{l, b - width, r, b}, pixel);
    FillRect(dest, TRect{l, t + width, l + width, b - width}, pixel);
    FillRect(dest, TRect{r - width, t + width, r, b - width}, pixel);
}

}  // namespace corvane
