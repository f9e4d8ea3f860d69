#include "player/Placement.h"

#include <gtest/gtest.h>

#include "player/FrameTiming.h"

namespace corvane {
namespace {

TEST(CalcPlacement, PlacementRules) {
    struct Case {
        const char* What;
        TPlacementInput In;  // client w, h, border, source w, h, proportional, stretch, center
        TRect Expected;
    };
    const Case cases[] = {
        {"own size at the corner", {800, 600, 0, 400, 300, false, false, false}, {0, 0, 400, 300}},
        {"own size centred", {800, 600, 0, 400, 300, false, false, true}, {200, 150, 600, 450}},
        {"proportional never enlarges", {800, 600, 0, 400, 300, true, false, true},
         {200, 150, 600, 450}},
        {"proportional shrinks to fit", {800, 600, 0, 1024, 768, true, false, false},
         {0, 0, 800, 600}},
        {"proportional and stretch fill, same ratio", {800, 600, 0, 1024, 768, true, true, true},
         {0, 0, 800, 600}},
        // 600/300 > 800/1000: the width governs, 300 * 800 / 1000 = 240; centred: (600-240)/2.
        {"width governs", {800, 600, 0, 1000, 300, true, false, true}, {0, 180, 800, 420}},
        // 600/500 < 800/200: the height governs, 200 * 600 / 500 = 240.
        {"height governs", {800, 600, 0, 200, 500, true, true, true}, {280, 0, 520, 600}},
        // Equal ratios count as the height governing: 100 * 50 / 100.
        {"tie goes to the height", {50, 50, 0, 100, 100, true, false, false}, {0, 0, 50, 50}},
        // 7 * 10 / 3 = 23.33 rounds to 23; 8 * 10 / 3 = 26.67 rounds to 27.
        {"rounding to nearest", {10, 100, 0, 3, 7, true, true, false}, {0, 0, 10, 23}},
        {"rounding up", {10, 100, 0, 3, 8, true, true, false}, {0, 0, 10, 27}},
        {"stretch alone loses the ratio", {800, 600, 0, 100, 50, false, true, false},
         {0, 0, 800, 600}},
        {"larger picture keeps its size", {100, 100, 0, 300, 200, false, false, true},
         {-100, -50, 200, 150}},
        {"border shrinks the area", {100, 80, 5, 10, 10, false, true, false}, {5, 5, 95, 75}},
        {"border and centre", {100, 80, 5, 10, 10, false, false, true}, {45, 35, 55, 45}},
        // (cw - a) / 2 rounds toward zero: (89 - 10) / 2 = 39.
        {"odd centring truncates", {99, 99, 5, 10, 10, false, false, true}, {44, 44, 54, 54}},
        {"no room inside a wide border", {20, 20, 15, 10, 10, true, true, true}, {15, 15, 15, 15}},
        {"empty source", {100, 100, 0, 0, 0, true, false, true}, {50, 50, 50, 50}},
    };
    for (const Case& c : cases) EXPECT_EQ(CalcPlacement(c.In), c.Expected) << c.What;
}

TEST(ScaledStep, GrowsInProportionAndKeepsTheStepWithoutADelay) {
    EXPECT_EQ(ScaledStep(4, 30, 10), 12);
    EXPECT_EQ(ScaledStep(4, 45, 40), 5);  // 4.5 rounds up
    EXPECT_EQ(ScaledStep(5, 55, 40), 7);  // 6.875
    EXPECT_EQ(ScaledStep(4, 30, 0), 4);   // no delay, nothing to keep up with
    EXPECT_EQ(ScaledStep(4, 0xFFFFFFFFu, 1), 100);  // a step past the end ends the transition
}

}  // namespace
}  // namespace corvane
