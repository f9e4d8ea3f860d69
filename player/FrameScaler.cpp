#include "player/FrameScaler.h"

#include <cstring>
#include <vector>

namespace corvane {

namespace {

// Source position of destination position k of an n-pixel extent over sn source pixels.
inline int32_t SourceIndex(int64_t k, int64_t n, int64_t sn) {
    return int32_t(((2 * k + 1) * sn) / (2 * n));
}

// Copies a row setting the unused byte; the hottest loop of painting, so built for the widest
// vector unit the machine has. Sanitizer builds keep one version: their runtime is not yet up
// when the version is chosen at load time.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_THREAD__) && !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx2", "default")))
#endif
void CopyRowOpaque(Pixel* __restrict out, const Pixel* __restrict in, size_t count) {
    for (size_t i = 0; i < count; ++i) out[i] = in[i] | OpaqueBits;
}

}  // namespace

void ScaleOpaque(Bitmap32& dest, const TRect& placement, const Bitmap32& src, const TRect& area) {
    if (placement.IsEmpty() || src.Empty()) return;
    const TRect box = Intersect(Intersect(placement, area), dest.Bounds());
    if (box.IsEmpty()) return;
    const int64_t n = placement.Width(), m = placement.Height();
    const int64_t sn = src.Width(), sm = src.Height();
    const size_t count = size_t(box.Width());

    std::vector<int32_t> columns;
    const bool sameWidth = n == sn;
    if (!sameWidth) {
        columns.resize(count);
        for (size_t i = 0; i < count; ++i)
            columns[i] = SourceIndex(box.Left + int64_t(i) - placement.Left, n, sn);
    }
    const int32_t firstColumn = box.Left - placement.Left;
    int32_t previousSource = -1;
    for (int32_t row = box.Top; row < box.Bottom; ++row) {
        const int32_t sourceRow = SourceIndex(row - placement.Top, m, sm);
        Pixel* out = dest.Scanline(row) + box.Left;
        if (sourceRow == previousSource) {
            std::memcpy(out, dest.Scanline(row - 1) + box.Left, count * sizeof(Pixel));
            continue;
        }
        previousSource = sourceRow;
        const Pixel* in = src.Scanline(sourceRow);
        if (sameWidth) {
            CopyRowOpaque(out, in + firstColumn, count);
        } else {
            for (size_t i = 0; i < count; ++i) out[i] = in[columns[i]] | OpaqueBits;
        }
    }
}

void MakeOpaque(Bitmap32& dest, const TRect& rect) {
    const TRect box = Intersect(rect, dest.Bounds());
    for (int32_t row = box.Top; row < box.Bottom; ++row) {
        Pixel* p = dest.Scanline(row);
        for (int32_t x = box.Left; x < box.Right; ++x) p[x] |= OpaqueBits;
    }
}

}  // namespace corvane
