#pragma once
// Regions made of triangles. A triangle is its three vertices as six integers x1, y1, x2, y2,
// x3, y3, passed to the polygon builder in the order given.

#include <array>
#include <cstdint>
#include <span>

#include "platform/raster/Region.h"

namespace corvane {

using TTriangle = std::array<int32_t, 6>;

// The union of the triangles, each made into a region in the order given. No triangle gives an
// empty region.
Region TrianglesRegion(std::span<const TTriangle> triangles);

}  // namespace corvane
