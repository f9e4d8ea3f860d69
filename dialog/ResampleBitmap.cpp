#include "dialog/ResampleBitmap.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace corvane {

namespace {

constexpr double Radius = 3;

double Sinc(double x) {
    if (x == 0) return 1;
    const double a = std::numbers::pi * x;
    return std::sin(a) / a;
}

double Lanczos3(double x) {
    return std::abs(x) < Radius ? Sinc(x) * Sinc(x / Radius) : 0;
}

struct TContributor {
    int32_t Pixel;
    int32_t Weight;
};

// The weighted source pixels of each target pixel of one pass.
using TContributors = std::vector<std::vector<TContributor>>;

int32_t Mirrored(int64_t j, int32_t n) {
    if (j < 0) j = -j;
    if (j >= n) j = 2 * int64_t(n) - 1 - j;
    // A source of one or two pixels is too small for a mirror of the whole window.
    return int32_t(std::clamp<int64_t>(j, 0, n - 1));
}

TContributors Contributors(int32_t target, int32_t source, double scale) {
    TContributors list(static_cast<size_t>(target));
    for (int32_t i = 0; i < target; ++i) {
        const double centre = i / scale;
        const double reach = scale >= 1 ? Radius : Radius / scale;
        const auto first = int64_t(std::floor(centre - reach));
        const auto last = int64_t(std::ceil(centre + reach));
        for (int64_t j = first; j <= last; ++j) {
            const double weight = scale >= 1 ? Lanczos3(centre - double(j))
                                             : Lanczos3((centre - double(j)) * scale) * scale;
            const auto quantised = int32_t(std::lround(weight * 256));
            if (quantised != 0) list[size_t(i)].push_back({Mirrored(j, source), quantised});
        }
    }
    return list;
}

// The scale of one direction. A single target pixel is treated like a single source pixel, so that
// the centre stays finite.
double Scale(int32_t target, int32_t source) {
    if (source == 1 || target == 1) return double(target) / double(source);
    return double(target - 1) / double(source - 1);
}

// One channel of a target pixel from the weighted sums.
uint32_t Channel(int64_t sum, int64_t weights) {
    const int64_t value = sum / (weights != 0 ? weights : 256);
    return uint32_t(std::clamp<int64_t>(value, 0, 255));
}

// Applies the contributor lists along a line of pixels: `count` pixels read through `at`.
template <typename Read>
Pixel Weighed(const std::vector<TContributor>& contributors, Read at) {
    int64_t r = 0, g = 0, b = 0, weights = 0;
    for (const TContributor& c : contributors) {
        const Pixel p = at(c.Pixel);
        r += int64_t(c.Weight) * PixelRed(p);
        g += int64_t(c.Weight) * PixelGreen(p);
        b += int64_t(c.Weight) * PixelBlue(p);
        weights += c.Weight;
    }
    return Channel(r, weights) << 16 | Channel(g, weights) << 8 | Channel(b, weights);
}

}  // namespace

void ResampleBitmap(int32_t Width, int32_t Height, const Bitmap32& Source, Bitmap32& Target) {
    Target.SetSize(Width, Height);
    if (Target.Empty() || Source.Empty()) return;
    const int32_t sourceWidth = Source.Width();
    const int32_t sourceHeight = Source.Height();

    // Rows: Source into a work bitmap Width x source height.
    const TContributors columns = Contributors(Width, sourceWidth, Scale(Width, sourceWidth));
    Bitmap32 work(Width, sourceHeight);
    for (int32_t y = 0; y < sourceHeight; ++y) {
        const Pixel* in = Source.Scanline(y);
        Pixel* out = work.Scanline(y);
        for (int32_t x = 0; x < Width; ++x)
            out[x] = Weighed(columns[size_t(x)], [in](int32_t j) { return in[j]; });
    }

    // Columns: the work bitmap into Target.
    const TContributors rows = Contributors(Height, sourceHeight, Scale(Height, sourceHeight));
    for (int32_t y = 0; y < Height; ++y) {
        Pixel* out = Target.Scanline(y);
        for (int32_t x = 0; x < Width; ++x)
            out[x] =
                Weighed(rows[size_t(y)], [&work, x](int32_t j) { return work.GetPixel(x, j); });
    }
}

}  // namespace corvane
