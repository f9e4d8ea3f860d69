#pragma once
// The region calls the effects are written against, with the platform's names. Every call
// returns a Region value; there is nothing to delete.

#include <cstddef>
#include <span>

#include "platform/raster/Region.h"

namespace corvane {

enum CombineMode { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4 };
enum PolyFillMode { ALTERNATE = 1, WINDING = 2 };
// What CombineRgn reports about its result.
enum RegionKind { NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

Region CreateRectRgn(int32_t l, int32_t t, int32_t r, int32_t b);
// The rectangle with its corners rounded by quarters of an ew x eh ellipse; an ellipse wider or
// higher than the rectangle is limited to the rectangle's width or height.
Region CreateRoundRectRgn(int32_t l, int32_t t, int32_t r, int32_t b, int32_t ew, int32_t eh);
// The ellipse inscribed in the rectangle; an empty rectangle gives an empty region.
Region CreateEllipticRgn(int32_t l, int32_t t, int32_t r, int32_t b);
// The polygon through the points (closed implicitly), filled by the given rule.
Region CreatePolygonRgn(std::span<const TPoint> points, int fillMode);
// The union of the rectangles of a region-data block: a 32-byte header of eight little-endian
// 32-bit words (size 32, kind 1, count, rectangle size, bounds) followed by count rectangles of
// four 32-bit words each. A block that is too short or not of this kind gives an empty region.
Region ExtCreateRegion(const void* data, size_t size);
// dest receives a op b; dest may be a or b.
int CombineRgn(Region& dest, const Region& a, const Region& b, int mode);

}  // namespace corvane
