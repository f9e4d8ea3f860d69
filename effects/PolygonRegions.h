#pragma once
// Polygon builders and the point rotation. Angles are extended-precision radians; on the screen
// (y downward) a growing angle turns clockwise. Rounding is to the nearest integer, halves to
// even.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/raster/Region.h"

namespace corvane {

// The circle sector from StartAngle toward EndAngle as a polygon: the centre and N arc vertices,
// the last one step short of EndAngle. N = 1 gives two vertices, which cover nothing.
Region SectorRegion(int32_t CX, int32_t CY, int32_t R, long double StartAngle,
                    long double EndAngle, int32_t N);

// The polygon through the pairs x1, y1, x2, y2, ... (a trailing odd value is ignored), filled by
// the winding rule.
Region PolygonRegion(std::span<const int32_t> Coords);

// Rotates the points in place about (CX, CY) by Angle.
void RotatePoints(std::span<TPoint> Points, int32_t CX, int32_t CY, long double Angle);

}  // namespace corvane
