#include "effects/PixelHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "effects/PixelRuns.h"
#include "platform/MulDiv.h"

namespace corvane {

namespace {

// A shade v (-255..255) as two byte masks: v added to the red, green and blue bytes with
// saturation is "add the raise, then subtract the drop", both saturating; the fourth byte gets 0.
struct ShadeMasks {
    Pixel Raise = 0, Drop = 0;
    explicit ShadeMasks(int32_t v) {
        const Pixel amount = Pixel(std::min(v < 0 ? -v : v, 255));
        (v < 0 ? Drop : Raise) = amount | amount << 8 | amount << 16;
    }
};

inline Pixel ShadePixel(Pixel p, Pixel raise, Pixel drop) {
    Pixel out = p & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        int32_t c = int32_t((p >> shift) & 0xFF) + int32_t((raise >> shift) & 0xFF) -
                    int32_t((drop >> shift) & 0xFF);
        out |= Pixel(std::clamp(c, 0, 255)) << shift;
    }
    return out;
}

// Shades count pixels, each with its own pair of masks (step 1) or all with one pair (step 0).
void ShadeRun(Pixel* row, const Pixel* raise, const Pixel* drop, size_t step, size_t count) {
    size_t i = 0;
#if defined(__SSE2__)
    // Four pixels at a time with saturating byte arithmetic; the masks' fourth bytes are 0.
    for (; i + 4 <= count; i += 4) {
        __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        __m128i up = step ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(raise + i))
                          : _mm_set1_epi32(int(raise[0]));
        __m128i down = step ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(drop + i))
                            : _mm_set1_epi32(int(drop[0]));
        p = _mm_subs_epu8(_mm_adds_epu8(p, up), down);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), p);
    }
#endif
    for (; i < count; ++i) row[i] = ShadePixel(row[i], raise[i * step], drop[i * step]);
}

}  // namespace

void ShadeColumns(Bitmap32& Bitmap, uint8_t Depth, int32_t Start, int32_t Count) {
    if (Count < 2 || Depth == 0) return;
    const int32_t half = Count / 2;
    std::vector<int32_t> profile(size_t(Count) + 1);  // profile[1..Count]
    int32_t v = -int32_t(Depth);
    if (Depth > half) {
        int32_t step = Depth / half;
        for (int32_t k = 1; k <= Count; ++k) {
            profile[size_t(k)] = v;
            v += step;
            if (k == half) step = -step;
        }
    } else {
        const int32_t period = half / Depth;
        int32_t next = period;
        for (int32_t k = 1; k <= Count; ++k) {
            profile[size_t(k)] = v;
            if (k == next) {
                next += period;
                v += k < half ? 1 : -1;
            }
        }
    }
    const int32_t first = std::max(Start, 0), last = std::min(Start + Count, Bitmap.Width());
    if (first >= last) return;
    std::vector<Pixel> raise(size_t(last - first)), drop(size_t(last - first));
    for (int32_t x = first; x < last; ++x) {
        const ShadeMasks m(profile[size_t(x - Start + 1)]);
        raise[size_t(x - first)] = m.Raise;
        drop[size_t(x - first)] = m.Drop;
    }
    for (int32_t y = 0; y < Bitmap.Height(); ++y)
        ShadeRun(Bitmap.RowForUpdate(y, first, last) + first, raise.data(), drop.data(), 1,
                 raise.size());
}

void ShadeRows(Bitmap32& Bitmap, uint8_t Depth, int32_t Start, int32_t Count) {
    if (Count < 2 || Depth == 0) return;
    const int32_t half = Count / 2;
    int32_t period, step;
    if (Depth > half) {
        period = 1;
        step = Depth / half;
    } else {
        period = half / Depth;
        step = 1;
    }
    int32_t next = period, v = -int32_t(Depth);
    for (int32_t k = 1; k <= Count; ++k) {
        const int32_t y = Start + Count - k;
        if (y >= 0 && y < Bitmap.Height()) {
            const ShadeMasks m(v);
            ShadeRun(Bitmap.Scanline(y), &m.Raise, &m.Drop, 0, size_t(Bitmap.Width()));
        }
        if (k == next) {
            v += k < half ? step : -step;
            next += period;
        }
    }
}

void BlendRect(Bitmap32& Dest, const Bitmap32& Src, int32_t Percent, int32_t Left, int32_t Top,
               int32_t Width, int32_t Height) {
    const int32_t a = MulDiv(256, Percent, 100);
    const int32_t x0 = std::max(Left, 0), y0 = std::max(Top, 0);
    const int32_t x1 = std::min({Left + Width, Dest.Width(), Src.Width()});
    const int32_t y1 = std::min({Top + Height, Dest.Height(), Src.Height()});
    if (x0 >= x1 || y0 >= y1) return;
    // Whole rows of two bitmaps laid out alike are one run of pixels.
    if (x0 == 0 && x1 == Dest.Width() && x1 == Src.Width() && Dest.Order() == Src.Order()) {
        // Through the whole pixel stores, so that the run counts as an access to every row.
        const auto lowest = [&](const Bitmap32& b) {
            const int32_t row = b.Order() == Bitmap32::RowOrder::BottomUp ? b.Height() - y1 : y0;
            return size_t(row) * size_t(b.Width());
        };
        const Bitmap32& src = Src;
        BlendRun(Dest.Bits() + lowest(Dest), src.Bits() + lowest(Src), size_t(x1) * size_t(y1 - y0),
                 a);
        return;
    }
    for (int32_t y = y0; y < y1; ++y)
        BlendRun(Dest.Scanline(y) + x0, Src.Scanline(y) + x0, size_t(x1 - x0), a);
}

namespace {

// floor(a / b) and ceil(a / b) for b != 0.
int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// The u with lo <= slope * u + offset < hi, as the interval [first, last] (empty when first >
// last).
struct Span {
    int64_t First, Last;
};
Span SolveLinear(int64_t slope, int64_t offset, int64_t lo, int64_t hi) {
    constexpr int64_t kAll = int64_t(1) << 40;
    if (slope == 0) return lo <= offset && offset < hi ? Span{-kAll, kAll} : Span{1, 0};
    if (slope > 0) return Span{CeilDiv(lo - offset, slope), FloorDiv(hi - 1 - offset, slope)};
    return Span{CeilDiv(hi - 1 - offset, slope), FloorDiv(lo - offset, slope)};
}

}  // namespace

void RotateBitmap(Bitmap32& Dest, const Bitmap32& Src, int32_t CX, int32_t CY, long double Angle) {
    const int32_t S = int32_t(std::trunc(65536.0L * std::sin(-Angle)));
    const int32_t C = int32_t(std::trunc(65536.0L * std::cos(-Angle)));
    const int32_t w = Src.Width(), h = Src.Height();
    const int32_t rows = std::min(h, Dest.Height()), cols = std::min(w, Dest.Width());
    if (rows <= 0 || cols <= 0) return;
    // The products wrap as 32-bit integers do; the shift floors the 16.16 result.
    auto mul = [](int32_t a, int32_t b) { return int32_t(uint32_t(int64_t(a) * b)); };

    // Far from the pivot the products may wrap: then every pixel takes its own turn.
    const int64_t uFar = std::max(std::abs(1 - int64_t(CX)), std::abs(cols - int64_t(CX)));
    const int64_t vFar = std::max(std::abs(h - int64_t(CY)), std::abs(h - rows + 1 - int64_t(CY)));
    if (uFar * uFar + vFar * vFar >= int64_t(32767) * 32767) {
        for (int32_t y = 0; y < rows; ++y) {
            Pixel* out = Dest.Scanline(y);
            const int32_t v = h - y - CY;
            const int32_t vS = mul(v, S), vC = mul(v, C);
            for (int32_t x = 0; x < cols; ++x) {
                const int32_t u = x + 1 - CX;
                const int32_t sx = CX + (int32_t(uint32_t(mul(u, C)) - uint32_t(vS)) >> 16);
                const int32_t r = CY + (int32_t(uint32_t(mul(u, S)) + uint32_t(vC)) >> 16);
                if (r >= 0 && r < h && sx >= 0 && sx < w) out[x] = Src.Scanline(h - 1 - r)[sx];
            }
        }
        return;
    }

    // Otherwise nothing wraps, and in each row the pixels whose source lies inside the picture
    // form one run: the source column and row are each monotone along the row.
    const Pixel* bottomRow = Src.Scanline(h - 1);  // r = 0
    const ptrdiff_t rowStep = h > 1 ? Src.Scanline(h - 2) - bottomRow : 0;
    // Along a row the source row changes with S, from one row to the next with -C; the rows go in
    // the order in which the two run against each other, so that a row reads mostly the picture
    // rows that the row before has just read, still in cache (the other order costs about twice).
    const bool bottomFirst = int64_t(S) * C < 0;
    for (int32_t k = 0; k < rows; ++k) {
        const int32_t y = bottomFirst ? rows - 1 - k : k;
        const int32_t v = h - y - CY;
        const int64_t vS = int64_t(v) * S, vC = int64_t(v) * C;
        // 0 <= CX + floor((u C - v S) / 65536) < w and 0 <= CY + floor((u S + v C) / 65536) < h.
        const Span inColumns = SolveLinear(C, -vS, -int64_t(CX) * 65536, (int64_t(w) - CX) * 65536);
        const Span inRows = SolveLinear(S, vC, -int64_t(CY) * 65536, (int64_t(h) - CY) * 65536);
        const int64_t first = std::max({inColumns.First, inRows.First, int64_t(1) - CX});
        const int64_t last = std::min({inColumns.Last, inRows.Last, int64_t(cols) - CX});
        if (first > last) continue;
        const int32_t x0 = int32_t(first + CX - 1), x1 = int32_t(last + CX);  // x0 <= x < x1
        Pixel* out = Dest.Scanline(y);
        const int32_t u0 = x0 + 1 - CX;
        const int32_t column0 = int32_t(int64_t(u0) * C - vS), row0 = int32_t(int64_t(u0) * S + vC);
        for (int32_t i = 0; i < x1 - x0; ++i) {
            const int32_t sx = CX + ((column0 + i * C) >> 16);
            const int32_t r = CY + ((row0 + i * S) >> 16);
            out[x0 + i] = bottomRow[r * rowStep + sx];
        }
    }
}

}  // namespace corvane
