#include "imaging/AlphaDraw.h"

namespace corvane {

void DrawWithAlpha(Bitmap32& dest, const TRect& rect, const Bitmap32& image,
                   const std::vector<uint8_t>& alpha) {
    if (rect.IsEmpty() || image.Empty()) return;
    const int64_t sw = image.Width(), sh = image.Height();
    const int64_t n = rect.Width(), m = rect.Height();
    DrawThroughScratch(dest, rect, [&](Bitmap32& scratch, TPoint corner) {
        for (int32_t j = 0; j < scratch.Height(); ++j) {
            const int64_t k = int64_t(corner.Y) + j - rect.Top;
            const int32_t sy = int32_t((2 * k + 1) * sh / (2 * m));
            const Pixel* in = image.Scanline(sy);
            const uint8_t* a = alpha.data() + size_t(sy) * size_t(sw);
            Pixel* out = scratch.Scanline(j);
            for (int32_t i = 0; i < scratch.Width(); ++i) {
                const int64_t kx = int64_t(corner.X) + i - rect.Left;
                const int32_t sx = int32_t((2 * kx + 1) * sw / (2 * n));
                const uint32_t op = a[sx];
                if (op == 0) continue;
                if (op == 255) {
                    out[i] = in[sx];
                    continue;
                }
                const Pixel s = in[sx], d = out[i];
                auto mix = [&](int shift) {
                    const uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
                    return ((sc * op + dc * (255 - op) + 127) / 255) << shift;
                };
                out[i] = mix(16) | mix(8) | mix(0);
            }
        }
    });
}

}  // namespace corvane
