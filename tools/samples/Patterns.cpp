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

}  // namespace

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
