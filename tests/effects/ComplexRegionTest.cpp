#include "effects/ComplexRegion.h"

#include <gtest/gtest.h>

#include <cstring>

namespace corvane {
namespace {

int32_t Word(const uint8_t* block, int index) {
    int32_t v;
    std::memcpy(&v, block + 4 * index, 4);
    return v;
}

TEST(TComplexRegion, BuildsThePlatformBlockAndGrowsBy500) {
    TComplexRegion rgn;
    EXPECT_FALSE(rgn.CreateRegion().has_value());  // nothing added: no region at all
    EXPECT_EQ(rgn.Bounds(), (TRect{2147483647, 2147483647, -2147483647, -2147483647}));

    rgn.AddRect(10, 10, 20, 20);
    EXPECT_EQ(rgn.Capacity(), 500);
    rgn.AddRect(50, 5, 40, 8);  // covers nothing, but widens the bounds all the same
    for (int i = 0; i < 499; ++i) rgn.AddRect(0, 0, 1, 1);
    EXPECT_EQ(rgn.Count(), 501);
    EXPECT_EQ(rgn.Capacity(), 1000);

    std::optional<Region> r = rgn.CreateRegion();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(*r, Region::FromRects(std::vector<TRect>{{10, 10, 20, 20}, {0, 0, 1, 1}}));
    const uint8_t* block = rgn.Data();
    const int32_t header[] = {32, 1, 501, 16, 0, 0, 40, 20};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Word(block, i), header[i]) << "header word " << i;
    const int32_t second[] = {50, 5, 40, 8};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Word(block, 8 + 4 + i), second[i]);

    rgn.Clear();
    EXPECT_EQ(rgn.Count(), 0);
    EXPECT_EQ(rgn.Data(), nullptr);
}

}  // namespace
}  // namespace corvane
