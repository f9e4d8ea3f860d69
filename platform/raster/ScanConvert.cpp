#include "platform/raster/ScanConvert.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace corvane {

namespace {

// The first pixel whose centre is at or right of the real coordinate v.
int64_t FirstPixelAtOrAfter(long double v) { return int64_t(std::ceil(v - 0.5L)); }

Region::Span ClampedSpan(int64_t left, int64_t right) {
    return Region::Span{ClampCoord(left), ClampCoord(right)};
}

}  // namespace

Region ScanRoundRect(const TRect& rect, int64_t ew, int64_t eh) {
    if (rect.IsEmpty()) return Region();
    ew = std::min(ew, rect.Width());
    eh = std::min(eh, rect.Height());
    if (ew <= 0 || eh <= 0) return Region(rect);

    const long double a = ew / 2.0L, b = eh / 2.0L;  // corner radii
    const long double top = rect.Top, bottom = rect.Bottom;
    const long double innerTop = top + b, innerBottom = bottom - b;
    Region::Builder builder;
    Region::Span span{};

    auto rowSpan = [&](long double dy) {
        // Half-width of the corner ellipse at distance dy from its centre row.
        long double hw = a == b ? std::sqrt(std::max(0.0L, b * b - dy * dy))
                                : a / b * std::sqrt(std::max(0.0L, b * b - dy * dy));
        return ClampedSpan(FirstPixelAtOrAfter(rect.Left + a - hw),
                           FirstPixelAtOrAfter(rect.Right - a + hw));
    };

    // Rows whose centres lie in the top corner zone, then the straight middle, then the bottom.
    int64_t y = rect.Top;
    for (; y < rect.Bottom && y + 0.5L < innerTop; ++y) {
        span = rowSpan(innerTop - (y + 0.5L));
        builder.AddBand(int32_t(y), int32_t(y + 1), std::span(&span, 1));
    }
    // Rows whose centres lie at or above innerBottom are whole.
    int64_t middleEnd = std::clamp<int64_t>(int64_t(std::floor(innerBottom - 0.5L)) + 1, y,
                                            rect.Bottom);
    if (middleEnd > y) {
        span = Region::Span{rect.Left, rect.Right};
        builder.AddBand(int32_t(y), int32_t(middleEnd), std::span(&span, 1));
        y = middleEnd;
    }
    for (; y < rect.Bottom; ++y) {
        span = rowSpan((y + 0.5L) - innerBottom);
        builder.AddBand(int32_t(y), int32_t(y + 1), std::span(&span, 1));
    }
    return builder.Finish();
}

namespace {

struct Edge {
    int64_t X0, Y0, X1, Y1;  // oriented so that Y0 < Y1
    int Direction;           // +1 if the polygon runs downward along it, -1 upward
};

struct Crossing {
    int64_t Pixel;  // first pixel whose centre is at or right of the crossing
    int Direction;
};

// The crossing of an edge with the centre line of pixel row y, as the first pixel at or right
// of it; exact integer arithmetic: x = X0 + (y + 1/2 - Y0) * dx / dy.
int64_t CrossingPixel(const Edge& e, int64_t y) {
    __int128 dx = e.X1 - e.X0, dy = e.Y1 - e.Y0;
    // x - 1/2 = (2*dy*X0 + (2*(y - Y0) + 1)*dx - dy) / (2*dy); its ceiling is the pixel.
    __int128 num = 2 * dy * e.X0 + (2 * (__int128(y) - e.Y0) + 1) * dx - dy;
    __int128 den = 2 * dy;
    __int128 q = num / den;
    if (num % den != 0 && num > 0) ++q;
    return int64_t(q);
}

}  // namespace

Region ScanPolygon(std::span<const TPoint> points, bool winding) {
    if (points.size() < 3) return Region();
    std::vector<Edge> edges;
    std::vector<int64_t> ys;
    for (size_t i = 0; i < points.size(); ++i) {
        const TPoint& p = points[i];
        const TPoint& q = points[(i + 1) % points.size()];
        if (p.Y == q.Y) continue;  // horizontal edges cross no row centre
        if (p.Y < q.Y)
            edges.push_back(Edge{p.X, p.Y, q.X, q.Y, 1});
        else
            edges.push_back(Edge{q.X, q.Y, p.X, p.Y, -1});
        ys.push_back(p.Y);
        ys.push_back(q.Y);
    }
    if (edges.empty()) return Region();
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region::Builder builder;
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::vector<Region::Span> spans;

    auto spansOfRow = [&](int64_t y) {
        crossings.clear();
        for (const Edge* e : active) crossings.push_back(Crossing{CrossingPixel(*e, y), e->Direction});
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.Pixel < b.Pixel; });
        spans.clear();
        int count = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            count += winding ? crossings[i].Direction : 1;
            bool inside = winding ? count != 0 : (count & 1) != 0;
            if (inside) spans.push_back(ClampedSpan(crossings[i].Pixel, crossings[i + 1].Pixel));
        }
    };

    // Between two consecutive vertex heights the same edges cross every row; when they are all
    // vertical the rows are alike and make one band.
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        const int64_t y0 = ys[k], y1 = ys[k + 1];
        active.clear();
        bool allVertical = true;
        for (const Edge& e : edges) {
            if (e.Y0 <= y0 && e.Y1 >= y1) {
                active.push_back(&e);
                allVertical = allVertical && e.X0 == e.X1;
            }
        }
        if (active.empty()) continue;
        if (allVertical) {
            spansOfRow(y0);
            builder.AddBand(ClampCoord(y0), ClampCoord(y1), spans);
            continue;
        }
        for (int64_t y = y0; y < y1; ++y) {
            spansOfRow(y);
            builder.AddBand(ClampCoord(y), ClampCoord(y + 1), spans);
        }
    }
    return builder.Finish();
}

}  // namespace corvane
