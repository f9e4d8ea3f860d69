#include "platform/MulDiv.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero) {
    struct Case { int32_t a, b, c, expected; };
    const Case cases[] = {
        {1024, 33, 100, 338},   // 337.92
        {338, 768, 1024, 254},  // 253.5 rounds up
        {800, 50, 100, 400},
        {-7, 1, 2, -4},         // -3.5 rounds away from zero
        {7, -1, 2, -4},
        {-7, -1, 2, 4},
        {5, 1, 3, 2},           // 1.67
        {4, 1, 3, 1},           // 1.33
        {2147483647, 2, 2, 2147483647},  // the 64-bit intermediate keeps it exact
        {0, 123, 7, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(MulDiv, FailsWithMinusOneOnZeroDivisorOrOverflow) {
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(2147483647, 2, 1), -1);
}

}  // namespace
}  // namespace corvane
