#include "effects/PolygonRegions.h"

#include <gtest/gtest.h>

#include <numbers>

#include "platform/raster/RegionApi.h"

namespace corvane {
namespace {

TEST(PolygonRegions, SectorsAndTriangles) {
    // One arc vertex: two points in all, nothing covered.
    EXPECT_TRUE(SectorRegion(50, 50, 40, 0, std::numbers::pi, 1).IsEmpty());
    // A quarter from angle 0 toward pi/2 turns clockwise on the screen: down and to the right.
    Region quarter = SectorRegion(50, 50, 40, 0, std::numbers::pi / 2, 90);
    EXPECT_TRUE(quarter.Contains(60, 60));
    EXPECT_FALSE(quarter.Contains(40, 60));
    EXPECT_FALSE(quarter.Contains(60, 40));

    const int32_t six[] = {0, 0, 10, 0, 0, 10};
    EXPECT_EQ(PolygonRegion(six), CreatePolygonRgn(std::vector<TPoint>{{0, 0}, {10, 0}, {0, 10}},
                                                   WINDING));
    EXPECT_FALSE(PolygonRegion(six).IsEmpty());
    const int32_t seven[] = {0, 0, 10, 0, 0, 10, 99};  // the odd value is ignored
    EXPECT_EQ(PolygonRegion(seven), PolygonRegion(six));
}

TEST(PolygonRegions, RotatePointsTurnsClockwiseOnScreen) {
    std::vector<TPoint> pts{{110, 100}, {100, 90}, {103, 104}};
    RotatePoints(pts, 100, 100, std::numbers::pi / 2);
    EXPECT_EQ(pts[0], (TPoint{100, 110}));
    EXPECT_EQ(pts[1], (TPoint{110, 100}));
    EXPECT_EQ(pts[2], (TPoint{96, 103}));
    std::vector<TPoint> one{{2, 0}};
    RotatePoints(one, 0, 0, std::numbers::pi / 3);  // near (1, 1.73)
    EXPECT_EQ(one[0], (TPoint{1, 2}));
}

}  // namespace
}  // namespace corvane
