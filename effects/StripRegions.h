#pragma once
// Builders that lay out many strips or squares as one region. Each returns the region of what it
// added, or no region when it added nothing (both modes 0, or an empty bitmap): revealing no
// region copies the whole picture, as selecting no clip region removes the clipping.

#include <cstdint>
#include <optional>

#include "platform/raster/Region.h"

namespace corvane {

// Bars min(W, H) div 50 + 1 thick that grow across the picture; the modes pick the edges they
// grow from and whether odd and even bars take turns (modes 1, 2, 4, 5 over extents 0 to 2W).
std::optional<Region> BarsRegion(int32_t XExtent, int32_t YExtent, int32_t W, int32_t H,
                                 int32_t HorzMode, int32_t VertMode);

// Thin strips of random, uneven length reaching from a side, from the middle or from both sides.
std::optional<Region> ShredRegion(int32_t XExtent, int32_t YExtent, int32_t W, int32_t H,
                                  int32_t HorzMode, int32_t VertMode);

// A solid front with squares scattered ahead of it, thinning out with distance.
std::optional<Region> SpeckleRegion(int32_t XExtent, int32_t YExtent, int32_t W, int32_t H,
                                    int32_t HorzMode, int32_t VertMode);

}  // namespace corvane
