#include "effects/TriangleRegions.h"

#include <vector>

#include "effects/PolygonRegions.h"
#include "platform/raster/RegionApi.h"

namespace corvane {

Region TrianglesRegion(std::span<const TTriangle> triangles) {
    // The regions are made in the order given and joined pairwise, neighbours first, so that a
    // lattice of many triangles costs a few passes over the result rather than one per triangle.
    std::vector<Region> regions;
    regions.reserve(triangles.size());
    for (const TTriangle& t : triangles) regions.push_back(PolygonRegion(t));
    if (regions.empty()) return Region();
    for (size_t step = 1; step < regions.size(); step *= 2)
        for (size_t i = 0; i + step < regions.size(); i += 2 * step)
            CombineRgn(regions[i], regions[i], regions[i + step], RGN_OR);
    return std::move(regions.front());
}

}  // namespace corvane
