#include "effects/TriangleRegions.h"

#include "effects/PolygonRegions.h"
#include "platform/raster/RegionApi.h"

namespace corvane {

Region TrianglesRegion(std::span<const TTriangle> triangles) {
    if (triangles.empty()) return Region();
    Region accumulated = PolygonRegion(triangles[0]);
    for (const TTriangle& t : triangles.subspan(1))
        CombineRgn(accumulated, accumulated, PolygonRegion(t), RGN_OR);
    return accumulated;
}

}  // namespace corvane
