#include "tools/samples/Patterns.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace corvane {

namespace {

constexpr double kPi = std::numbers::pi;

struct Rgb {
    double R, G, B;  // 0..1
};

Pixel ToPixel(Rgb c) {
    auto byte = [](double v) { return uint8_t(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5); };
    return MakePixel(byte(c.R), byte(c.G), byte(c.B));
}

// Hue 0..1 around the colour wheel, saturation and value 0..1.
Rgb Hsv(double h, double s, double v) {
    h = (h - std::floor(h)) * 6.0;
    const int i = int(h) % 6;
    const double f = h - std::floor(h), p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (i) {
        case 0: return {v, t, p};
        case 1: return {q, v, p};
        case 2: return {p, v, t};
        case 3: return {p, q, v};
        case 4: return {t, p, v};
        default: return {v, p, q};
    }
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

// Fills the picture from a colour function of normalised coordinates (u across the width from 0
// to 1, v down the height, and the aspect ratio).
template <typename Fn>
Bitmap32 Paint(int32_t w, int32_t h, Fn&& colour) {
    Bitmap32 b(w, h);
    const double aspect = double(w) / std::max(h, 1);
    for (int32_t y = 0; y < h; ++y) {
        Pixel* row = b.Scanline(y);
        const double v = (y + 0.5) / h;
        for (int32_t x = 0; x < w; ++x) row[x] = ToPixel(colour((x + 0.5) / w, v, aspect));
    }
    return b;
}

Bitmap32 Plasma(int32_t w, int32_t h) {
    return Paint(w, h, [](double u, double v, double a) {
        const double x = u * a * 6, y = v * 6;
        const double s = std::sin(x) + std::sin(y * 1.3 + x * 0.4) +
                         std::sin(std::hypot(x - 4, y - 3) * 1.7) + std::sin(x * 0.7 - y * 1.1);
        return Hsv(0.55 + s / 8, 0.65, 0.55 + 0.4 * std::cos(s));
    });
}

Bitmap32 Rings(int32_t w, int32_t h) {
    return Paint(w, h, [](double u, double v, double a) {
        const double d = std::hypot((u - 0.5) * a, v - 0.5);
        const double band = 0.5 + 0.5 * std::cos(d * 60);
        return Mix(Hsv(0.05 + d * 0.8, 0.8, 0.35), Hsv(0.12 + d * 0.8, 0.55, 0.95), band);
    });
}

Bitmap32 Sunset(int32_t w, int32_t h) {
    return Paint(w, h, [](double u, double v, double a) {
        Rgb sky = Mix(Rgb{0.12, 0.10, 0.35}, Rgb{0.98, 0.55, 0.30}, std::pow(v, 1.4));
        const double sun = std::hypot((u - 0.62) * a, v - 0.55);
        if (sun < 0.12) sky = Mix(Rgb{1.0, 0.95, 0.7}, sky, std::pow(sun / 0.12, 4));
        // Three ridges of hills, the nearer ones darker.
        for (int layer = 0; layer < 3; ++layer) {
            const double ridge = 0.62 + 0.09 * layer +
                                 0.05 * std::sin(u * (7 + 5 * layer) + layer * 1.9) +
                                 0.03 * std::sin(u * (23 + 9 * layer) + layer);
            if (v > ridge) sky = Mix(Rgb{0.30, 0.16, 0.30}, Rgb{0.05, 0.03, 0.08}, layer / 2.0);
        }
        return sky;
    });
}

Bitmap32 Stripes(int32_t w, int32_t h) {
    return Paint(w, h, [](double u, double v, double a) {
        const double t = (u * a + v) * 9;
        const int band = int(std::floor(t));
        const double inBand = t - band;
        Rgb c = Hsv(band * 0.137, 0.7, 0.9);
        if (inBand < 0.08) c = Rgb{0.97, 0.97, 0.95};
        return Mix(c, Rgb{0, 0, 0}, 0.35 * v);
    });
}

Bitmap32 Tiles(int32_t w, int32_t h) {
    return Paint(w, h, [](double u, double v, double a) {
        const double c = std::cos(0.5), s = std::sin(0.5);
        const double x = (u * a * c - v * s) * 12, y = (u * a * s + v * c) * 12;
        const bool dark = (int(std::floor(x)) + int(std::floor(y))) & 1;
        return Mix(Hsv(u * 0.3 + 0.5, 0.6, 0.95), Hsv(v * 0.3, 0.7, 0.45), dark ? 1.0 : 0.0);
    });
}

Bitmap32 Spiral(int32_t w, int32_t h) {
    return Paint(w, h, [](double u, double v, double a) {
        const double x = (u - 0.5) * a, y = v - 0.5;
        const double r = std::hypot(x, y), th = std::atan2(y, x);
        const double arm = std::sin(th * 5 + std::log(r + 1e-3) * 9);
        return Hsv(th / (2 * kPi) + r, 0.75, 0.5 + 0.45 * arm);
    });
}

Bitmap32 Cells(int32_t w, int32_t h) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<std::pair<double, double>> seeds(40);
    for (auto& p : seeds) p = {unit(rng), unit(rng)};
    return Paint(w, h, [&](double u, double v, double a) {
        double best = 1e9, second = 1e9;
        size_t index = 0;
        for (size_t i = 0; i < seeds.size(); ++i) {
            const double d = std::hypot((u - seeds[i].first) * a, v - seeds[i].second);
            if (d < best) {
                second = best;
                best = d;
                index = i;
            } else if (d < second) {
                second = d;
            }
        }
        const double edge = std::clamp((second - best) * 40, 0.0, 1.0);
        return Mix(Rgb{0.08, 0.08, 0.1}, Hsv(index * 0.071, 0.55, 0.9), edge);
    });
}

Bitmap32 Waves(int32_t w, int32_t h) {
    return Paint(w, h, [](double u, double v, double a) {
        double depth = v;
        for (int k = 1; k <= 4; ++k) depth += 0.02 * std::sin(u * a * 9 * k + k * 1.3) / k;
        const double band = std::floor(depth * 14) / 14;
        return Mix(Rgb{0.75, 0.92, 0.98}, Rgb{0.02, 0.18, 0.38}, band);
    });
}

Bitmap32 Grid(int32_t w, int32_t h) {
    return Paint(w, h, [](double u, double v, double a) {
        const double x = u * a * 10, y = v * 10;
        const double gx = std::abs(x - std::round(x)), gy = std::abs(y - std::round(y));
        const double line = std::min(gx, gy) < 0.04 ? 1.0 : 0.0;
        return Mix(Mix(Rgb{0.1, 0.3, 0.6}, Rgb{0.9, 0.4, 0.2}, u), Rgb{1, 1, 1}, line * 0.8);
    });
}

Bitmap32 Marble(int32_t w, int32_t h) {
    return Paint(w, h, [](double u, double v, double a) {
        const double x = u * a * 5, y = v * 5;
        double turbulence = 0, scale = 1;
        for (int k = 0; k < 5; ++k, scale *= 2)
            turbulence += std::abs(std::sin(x * scale * 1.7 + std::cos(y * scale * 1.3))) / scale;
        const double vein = 0.5 + 0.5 * std::sin(x + y + turbulence * 3);
        return Mix(Rgb{0.93, 0.91, 0.88}, Rgb{0.35, 0.38, 0.45}, std::pow(vein, 3));
    });
}

// Smooth noise: random values on a coarse grid, interpolated bilinearly with a smooth step.
class TValueNoise {
public:
    TValueNoise(uint32_t seed, int32_t cells)
        : FCells(cells), FValues(size_t(cells + 1) * size_t(cells + 1)) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<float> unit(-1, 1);
        for (float& v : FValues) v = unit(rng);
    }
    // u and v from 0 to 1.
    float At(float u, float v) const {
        const float x = u * float(FCells), y = v * float(FCells);
        const int32_t ix = std::min(int32_t(x), FCells - 1), iy = std::min(int32_t(y), FCells - 1);
        const float fx = Smooth(x - float(ix)), fy = Smooth(y - float(iy));
        const float* row0 = &FValues[size_t(iy) * size_t(FCells + 1) + size_t(ix)];
        const float* row1 = row0 + FCells + 1;
        const float top = row0[0] + (row0[1] - row0[0]) * fx;
        const float bottom = row1[0] + (row1[1] - row1[0]) * fx;
        return top + (bottom - top) * fy;
    }

private:
    static float Smooth(float t) { return t * t * (3 - 2 * t); }
    int32_t FCells;
    std::vector<float> FValues;
};

}  // namespace

Bitmap32 MakePhotoLike(int index, int32_t width, int32_t height) {
    Bitmap32 b(width, height);
    if (b.Empty()) return b;
    std::mt19937 rng(uint32_t(1000 + index));
    std::uniform_real_distribution<double> unit(0, 1);
    const Rgb top = Hsv(unit(rng), 0.35 + 0.3 * unit(rng), 0.75 + 0.2 * unit(rng));
    const Rgb bottom = Hsv(unit(rng), 0.4 + 0.4 * unit(rng), 0.2 + 0.3 * unit(rng));
    // Out-of-focus shapes behind, hard-edged ones in front.
    struct TBlob {
        double U, V, Radius;
        Rgb Colour;
    };
    std::vector<TBlob> blobs(10);
    for (TBlob& blob : blobs)
        blob = {unit(rng), unit(rng), 0.05 + 0.2 * unit(rng),
                Hsv(unit(rng), 0.3 + 0.6 * unit(rng), 0.2 + 0.75 * unit(rng))};
    struct TBox {
        double Left, Top, Right;
        Rgb Colour;
    };
    std::vector<TBox> boxes(6);
    for (TBox& box : boxes) {
        const double left = unit(rng);
        box = {left, 0.4 + 0.5 * unit(rng), left + 0.03 + 0.12 * unit(rng),
               Hsv(unit(rng), 0.2 + 0.5 * unit(rng), 0.1 + 0.5 * unit(rng))};
    }
    const TValueNoise broad(uint32_t(index * 7 + 1), 8), fine(uint32_t(index * 7 + 2), 160);
    const double aspect = double(width) / height;
    uint32_t grain = uint32_t(index) * 2654435761u + 1;
    for (int32_t y = 0; y < height; ++y) {
        Pixel* row = b.Scanline(y);
        const double v = (y + 0.5) / height;
        const Rgb sky = Mix(top, bottom, v);
        for (int32_t x = 0; x < width; ++x) {
            const double u = (x + 0.5) / width;
            Rgb c = sky;
            for (const TBlob& blob : blobs) {
                const double du = (u - blob.U) * aspect, dv = v - blob.V;
                const double d2 = (du * du + dv * dv) / (blob.Radius * blob.Radius);
                if (d2 < 1) c = Mix(c, blob.Colour, (1 - d2) * (1 - d2));
            }
            for (const TBox& box : boxes)
                if (u >= box.Left && u < box.Right && v >= box.Top) c = box.Colour;
            const double shade =
                1 + 0.25 * broad.At(float(u), float(v)) + 0.12 * fine.At(float(u), float(v));
            // Fine grain, up to 16 levels up or down per channel.
            grain ^= grain << 13;
            grain ^= grain >> 17;
            grain ^= grain << 5;
            auto channel = [&](double value, int shift) {
                const int noise = int((grain >> shift) & 31) - 16;
                return uint8_t(std::clamp(value * shade * 255.0 + noise, 0.0, 255.0));
            };
            row[x] = MakePixel(channel(c.R, 0), channel(c.G, 8), channel(c.B, 16));
        }
    }
    return b;
}

Bitmap32 MakePattern(int index, int32_t width, int32_t height) {
    switch (((index % PatternCount) + PatternCount) % PatternCount) {
        case 0: return Sunset(width, height);
        case 1: return Plasma(width, height);
        case 2: return Rings(width, height);
        case 3: return Stripes(width, height);
        case 4: return Tiles(width, height);
        case 5: return Spiral(width, height);
        case 6: return Cells(width, height);
        case 7: return Waves(width, height);
        case 8: return Grid(width, height);
        default: return Marble(width, height);
    }
}

std::string PatternName(int index) {
    static const char* const names[PatternCount] = {"sunset", "plasma", "rings", "stripes",
                                                    "tiles",  "spiral", "cells", "waves",
                                                    "grid",   "marble"};
    return names[((index % PatternCount) + PatternCount) % PatternCount];
}

}  // namespace corvane
