#include "effects/PixelHelpers.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/MulDiv.h"

namespace corvane {

namespace {

// Adds v to the red, green and blue bytes of a pixel, each clamped to 0..255.
inline Pixel AddToChannels(Pixel p, int32_t v) {
    auto channel = [v](Pixel p, int shift) {
        return Pixel(std::clamp<int32_t>(int32_t((p >> shift) & 0xFF) + v, 0, 255)) << shift;
    };
    return (p & 0xFF000000u) | channel(p, 16) | channel(p, 8) | channel(p, 0);
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
    for (int32_t y = 0; y < Bitmap.Height(); ++y) {
        Pixel* row = Bitmap.Scanline(y);
        for (int32_t x = first; x < last; ++x)
            row[x] = AddToChannels(row[x], profile[size_t(x - Start + 1)]);
    }
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
            Pixel* row = Bitmap.Scanline(y);
            for (int32_t x = 0; x < Bitmap.Width(); ++x) row[x] = AddToChannels(row[x], v);
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
    for (int32_t y = y0; y < y1; ++y) {
        Pixel* d = Dest.Scanline(y);
        const Pixel* s = Src.Scanline(y);
        for (int32_t x = x0; x < x1; ++x) {
            const Pixel dp = d[x], sp = s[x];
            Pixel out = dp & 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int32_t dc = int32_t((dp >> shift) & 0xFF), sc = int32_t((sp >> shift) & 0xFF);
                // An arithmetic shift floors the negative differences too.
                out |= Pixel(dc + (((sc - dc) * a) >> 8)) << shift;
            }
            d[x] = out;
        }
    }
}

void RotateBitmap(Bitmap32& Dest, const Bitmap32& Src, int32_t CX, int32_t CY, long double Angle) {
    const int32_t S = int32_t(std::trunc(65536.0L * std::sin(-Angle)));
    const int32_t C = int32_t(std::trunc(65536.0L * std::cos(-Angle)));
    const int32_t w = Src.Width(), h = Src.Height();
    const int32_t rows = std::min(h, Dest.Height()), cols = std::min(w, Dest.Width());
    // The products wrap as 32-bit integers do; the shift floors the 16.16 result.
    auto mul = [](int32_t a, int32_t b) { return int32_t(uint32_t(int64_t(a) * b)); };
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
}

}  // namespace corvane
