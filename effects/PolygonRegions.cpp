#include "effects/PolygonRegions.h"

#include <cmath>

#include "platform/raster/RegionApi.h"

namespace corvane {

namespace {
// Nearest integer, halves to even (the default rounding mode).
int32_t RoundEven(long double v) { return ClampCoord(std::llrint(v)); }
}  // namespace

Region SectorRegion(int32_t CX, int32_t CY, int32_t R, long double StartAngle,
                    long double EndAngle, int32_t N) {
    if (N <= 0) return Region();
    std::vector<TPoint> points(size_t(N) + 1);
    points[0] = TPoint{CX, CY};
    const long double step = (EndAngle - StartAngle) / N;
    long double a = StartAngle;
    for (int32_t k = 0; k < N; ++k) {
        points[size_t(k) + 1] = TPoint{ClampCoord(int64_t(CX) + RoundEven(R * std::cos(a))),
                                       ClampCoord(int64_t(CY) + RoundEven(R * std::sin(a)))};
        a += step;
    }
    return CreatePolygonRgn(points, WINDING);
}

Region PolygonRegion(std::span<const int32_t> Coords) {
    std::vector<TPoint> points(Coords.size() / 2);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = TPoint{Coords[2 * i], Coords[2 * i + 1]};
    return CreatePolygonRgn(points, WINDING);
}

void RotatePoints(std::span<TPoint> Points, int32_t CX, int32_t CY, long double Angle) {
    const long double c = std::cos(Angle), s = std::sin(Angle);
    for (TPoint& p : Points) {
        const long double dx = (long double)p.X - CX, dy = (long double)p.Y - CY;
        p.X = ClampCoord(int64_t(CX) + RoundEven(dx * c - dy * s));
        p.Y = ClampCoord(int64_t(CY) + RoundEven(dx * s + dy * c));
    }
}

}  // namespace corvane
