#include "effects/Random.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Random, FollowsItsExactArithmetic) {
    SetRandomState(0);
    const struct { uint32_t State; int32_t Result; } expected[] = {
        {1, 0}, {134775814, 3}, {3698175007u, 86}, {870078620, 20}};
    for (const auto& e : expected) {
        EXPECT_EQ(Random(100), e.Result);
        EXPECT_EQ(RandomState(), e.State);
    }
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(Random(0), 0);
        EXPECT_EQ(Random(1), 0);
        int32_t r = Random(7);
        EXPECT_TRUE(r >= 0 && r < 7);
    }
}

TEST(Random, FixedStateIsRestoredOnEveryWayOut) {
    SetRandomState(42);
    try {
        FixedRandomState fixed(7);
        EXPECT_EQ(RandomState(), 7u);
        Random(10);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(RandomState(), 42u);
}

}  // namespace
}  // namespace corvane
