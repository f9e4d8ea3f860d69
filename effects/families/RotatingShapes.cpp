#include "effects/families/RotatingShapes.h"

#include <algorithm>
#include <initializer_list>
#include <numbers>
#include <optional>
#include <span>

#include "effects/PolygonRegions.h"
#include "effects/Reveal.h"
#include "platform/MulDiv.h"
#include "platform/raster/RegionApi.h"

// Each routine builds one region and reveals the new picture through it. The turning shapes are
// single polygons turned by 3.6 degrees per per cent, a full turn at the end; the starburst
// unites four triangles; the lattice shreds unite one circle or diamond per square cell 2m wide,
// column by column.

namespace corvane::rotating {

namespace {

// The turn at this progress: a full clockwise turn over the transition.
long double Turn(int32_t Progress) {
    return Progress * std::numbers::pi_v<long double> / 50;
}

// The polygon through the coordinate pairs as written.
Region Polygon(std::initializer_list<int32_t> coords) {
    return PolygonRegion(std::span(coords.begin(), coords.size()));
}

// The X x Y rectangle centred on the frame (its sides rounded down to even lengths), turned
// about (CX, CY).
Region TurnedRectangle(int32_t W, int32_t H, int32_t X, int32_t Y, int32_t CX, int32_t CY,
                       int32_t Progress) {
    const int32_t cx = W / 2, cy = H / 2, hx = X / 2, hy = Y / 2;
    TPoint points[] = {
        {cx - hx, cy - hy}, {cx + hx, cy - hy}, {cx + hx, cy + hy}, {cx - hx, cy + hy}};
    RotatePoints(points, CX, CY, Turn(Progress));
    return CreatePolygonRgn(points, WINDING);
}

// Half the pitch of the lattice, from the shorter side, so that the cells are squares.
int32_t HalfPitch(int32_t W, int32_t H) {
    return std::min(W, H) / 10 + 1;
}

// The union, column by column, of one shape per cell of the lattice with half-pitch m, each made
// by shapeAt(u, v) for the cell centre (u, v); none when the frame has no cell. The shapes of a
// column are united first and the column then into R: the same region as uniting every shape
// into R in turn, but the growing R is walked once per column instead of once per cell.
template <typename ShapeAt>
std::optional<Region> LatticeRegion(int32_t W, int32_t H, int32_t m, ShapeAt shapeAt) {
    std::optional<Region> R;
    for (int32_t i = 0; int64_t(2) * i * m < W; ++i) {
        Region column = shapeAt((2 * i + 1) * m, m);
        for (int32_t j = 1; int64_t(2) * j * m < H; ++j)
            CombineRgn(column, column, shapeAt((2 * i + 1) * m, (2 * j + 1) * m), RGN_OR);
        if (!R)
            R = std::move(column);
        else
            CombineRgn(*R, *R, column, RGN_OR);
    }
    return R;
}

}  // namespace

CORVANE_EFFECT(RotationalRectangleInCenter) {
    Reveal(Screen, Picture, W, H, TurnedRectangle(W, H, X, Y, W / 2, H / 2, Progress));
}

CORVANE_EFFECT(RotationalStarInCenter) {
    // Tips 2X left and right and 2Y above and below the centre; inner corners at the corners of
    // the X x Y rectangle.
    const int32_t cx = W / 2, cy = H / 2, hx = X / 2, hy = Y / 2;
    TPoint points[] = {{cx - 2 * X, cy}, {cx - hx, cy - hy}, {cx, cy - 2 * Y}, {cx + hx, cy - hy},
                       {cx + 2 * X, cy}, {cx + hx, cy + hy}, {cx, cy + 2 * Y}, {cx - hx, cy + hy}};
    RotatePoints(points, cx, cy, Turn(Progress));
    Reveal(Screen, Picture, W, H, CreatePolygonRgn(points, WINDING));
}

CORVANE_EFFECT(SpiralRectangle) {
    // The centred rectangle swings about (X, Y), which travels from the top-left corner toward the
    // bottom-right one.
    Reveal(Screen, Picture, W, H, TurnedRectangle(W, H, X, Y, X, Y, Progress));
}

CORVANE_EFFECT(CircularShred) {
    // Circles of radius up to 1.5m, more than a cell's half-diagonal, so they cover the frame.
    const int32_t m = HalfPitch(W, H);
    const int32_t r = MulDiv(3 * m, Progress, 200);
    std::optional<Region> R = LatticeRegion(W, H, m, [r](int32_t u, int32_t v) {
        return CreateEllipticRgn(u - r, v - r, u + r, v + r);
    });
    if (R) Reveal(Screen, Picture, W, H, std::move(R));
}

CORVANE_EFFECT(StarburstAnticlockwiseFromCenter) {
    // Four blades hinged on the lines from the centre to the corners, their free edges running
    // down the left side, right along the bottom, up the right side and left along the top.
    const int32_t cx = W / 2, cy = H / 2;
    Region R = Polygon({cx, cy, 0, 0, 0, Y});
    CombineRgn(R, R, Polygon({cx, cy, 0, H, X, H}), RGN_OR);
    CombineRgn(R, R, Polygon({cx, cy, W, H, W, H - Y}), RGN_OR);
    CombineRgn(R, R, Polygon({cx, cy, W, 0, W - X, 0}), RGN_OR);
    Reveal(Screen, Picture, W, H, std::move(R));
}

CORVANE_EFFECT(DiamondShred) {
    // Diamonds whose half-diagonal reaches m (touching at their points) half way and 2m at the
    // end.
    const int32_t m = HalfPitch(W, H);
    const int32_t r = MulDiv(m, Progress, 50);
    std::optional<Region> R = LatticeRegion(W, H, m, [r](int32_t u, int32_t v) {
        return Polygon({u - r, v, u, v - r, u + r, v, u, v + r});
    });
    if (R) Reveal(Screen, Picture, W, H, std::move(R));
}

}  // namespace corvane::rotating
