#pragma once
// Scan conversion of shapes into regions by the pixel-centre rule: pixel (x, y) belongs to a
// shape when its centre (x + 0.5, y + 0.5) lies inside, a centre on a left or top edge counting
// as inside and one on a right or bottom edge as outside, as for rectangles.

#include <span>

#include "platform/raster/Region.h"

namespace corvane {

// The rectangle with corners rounded by quarters of an ew x eh ellipse, each limited to the
// rectangle's own width and height (so ew = width, eh = height gives the inscribed ellipse).
Region ScanRoundRect(const TRect& rect, int64_t ew, int64_t eh);

// The polygon through the points, by the non-zero winding rule or else the even-odd rule.
Region ScanPolygon(std::span<const TPoint> points, bool winding);

}  // namespace corvane
