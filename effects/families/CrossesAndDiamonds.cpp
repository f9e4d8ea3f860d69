#include "effects/families/CrossesAndDiamonds.h"

#include <array>
#include <initializer_list>
#include <span>

#include "effects/PolygonRegions.h"
#include "effects/Reveal.h"
#include "platform/MulDiv.h"
#include "platform/raster/RegionApi.h"

// Each routine builds one region from a few polygons and reveals the new picture through it.
// Combining with the whole frame in xor mode keeps the frame outside a shape; the shape's parts
// outside the frame are never drawn.

namespace corvane::crosses {

namespace {

// The polygon through the coordinate pairs as written.
Region Polygon(std::initializer_list<int32_t> coords) {
    return PolygonRegion(std::span(coords.begin(), coords.size()));
}

// The band between two zigzags of amplitude g, 2d apart, about the centre line at `middle`, with
// a vertex every s pixels along the band from 0 to 11s: levels A0 (even vertices) and A1 (odd
// ones) on the first edge, A2 and A3 on the second; the points run out along the first edge and
// back along the second. point(along, across) places a vertex, so one routine serves both
// directions.
template <typename MakePoint>
Region ZigzagBand(int32_t s, int32_t g, int32_t d, int32_t middle, MakePoint point) {
    const int32_t A0 = middle + g - d, A1 = middle - g - d, A2 = middle + g + d,
                  A3 = middle - g + d;
    std::array<TPoint, 24> points;
    for (int32_t k = 0; k <= 11; ++k) {
        points[size_t(k)] = point(k * s, k % 2 == 0 ? A0 : A1);
        points[size_t(23 - k)] = point(k * s, k % 2 == 0 ? A2 : A3);
    }
    return CreatePolygonRgn(points, WINDING);
}

}  // namespace

CORVANE_EFFECT(DiagonalCrossIn) {
    // Triangles on the side midpoints, Y (left, right) or X (top, bottom) wide at the base,
    // reaching half of X or Y into the frame: the old picture shrinks to a diagonal cross.
    const int32_t cx = W / 2, cy = H / 2, hx = X / 2, hy = Y / 2;
    Region R = Polygon({0, cy - hy, hx, cy, 0, cy + hy});
    CombineRgn(R, R, Polygon({W, cy - hy, W - hx, cy, W, cy + hy}), RGN_OR);
    CombineRgn(R, R, Polygon({cx - hx, 0, cx, hy, cx + hx, 0}), RGN_OR);
    CombineRgn(R, R, Polygon({cx - hx, H, cx, H - hy, cx + hx, H}), RGN_OR);
    Reveal(Screen, Picture, W, H, std::move(R));
}

CORVANE_EFFECT(DiagonalCrossOut) {
    // The triangles of the cross-in at the complementary size, which never overlap, cut out of
    // the frame: a diagonal cross that widens from the centre.
    const int32_t cx = W / 2, cy = H / 2, a = (W - X) / 2, b = (H - Y) / 2;
    Region R = CreateRectRgn(0, 0, W, H);
    CombineRgn(R, R, Polygon({0, cy - b, a, cy, 0, cy + b}), RGN_XOR);
    CombineRgn(R, R, Polygon({W, cy - b, W - a, cy, W, cy + b}), RGN_XOR);
    CombineRgn(R, R, Polygon({cx - a, 0, cx, b, cx + a, 0}), RGN_XOR);
    CombineRgn(R, R, Polygon({cx - a, H, cx, H - b, cx + a, H}), RGN_XOR);
    Reveal(Screen, Picture, W, H, std::move(R));
}

CORVANE_EFFECT(ZigzagHorizontal) {
    // At the end d = g + H div 2, so the band covers the frame.
    const int32_t g = H / 10, d = MulDiv(g, Progress, 100) + Y / 2;
    Reveal(Screen, Picture, W, H,
           ZigzagBand(W / 10, g, d, H / 2, [](int32_t along, int32_t across) {
               return TPoint{along, across};
           }));
}

CORVANE_EFFECT(ZigzagVertical) {
    const int32_t g = W / 10, d = MulDiv(g, Progress, 100) + X / 2;
    Reveal(Screen, Picture, W, H,
           ZigzagBand(H / 10, g, d, W / 2, [](int32_t along, int32_t across) {
               return TPoint{across, along};
           }));
}

CORVANE_EFFECT(RevealDiamondOutFromCentre) {
    const int32_t cx = W / 2, cy = H / 2;
    Reveal(Screen, Picture, W, H, Polygon({cx - X, cy, cx, cy - Y, cx + X, cy, cx, cy + Y}));
}

CORVANE_EFFECT(RevealDiamondInToCentre) {
    // A diamond with half-diagonals 2cx - X and 2cy - Y, cut out of the frame: the new picture
    // shows first in the corners and closes in on the centre.
    const int32_t cx = W / 2, cy = H / 2;
    Region R = CreateRectRgn(0, 0, W, H);
    CombineRgn(R, R, Polygon({X - cx, cy, cx, Y - cy, 3 * cx - X, cy, cx, 3 * cy - Y}), RGN_XOR);
    Reveal(Screen, Picture, W, H, std::move(R));
}

CORVANE_EFFECT(DiagonalBoxOut) {
    // The band between two diamonds that start on the diamond through the side midpoints and move
    // half of X and Y outward and inward.
    const int32_t cx = W / 2, cy = H / 2, hx = X / 2, hy = Y / 2;
    Region R = Polygon({-hx, cy, cx, -hy, 2 * cx + hx, cy, cx, 2 * cy + hy});
    CombineRgn(R, R, Polygon({hx, cy, cx, hy, 2 * cx - hx, cy, cx, 2 * cy - hy}), RGN_XOR);
    Reveal(Screen, Picture, W, H, std::move(R));
}

}  // namespace corvane::crosses
