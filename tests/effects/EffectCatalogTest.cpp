#include "effects/EffectCatalog.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace corvane {
namespace {

TEST(Effects, HoldsTheNamesExactlyAsShown) {
    const std::map<int, std::string> samples{
        {1, "Expand from right"},
        {29, "Slide in from top / bottom"},
        {57, "Quarters Slide in to middle"},
        {76, "Unven shred from bottom"},
        {116, "Starburst clockwise from center"},
        {134, "Push and sqeeze down"},
        {135, "Push and sqeeze up"},
        {145, "Rectangles apear from left and disapear to right"},
        {171, "Random Bars Vertical"}};
    for (const auto& [n, name] : samples) EXPECT_EQ(Effects[n].Name, name) << n;

    // Two pairs share a name; every other name is unique.
    std::map<std::string, int> seen;
    int shared = 0;
    for (int n = 1; n <= TEffectCatalog::Count; ++n) {
        auto [it, fresh] = seen.emplace(Effects[n].Name, n);
        if (!fresh) {
            ++shared;
            EXPECT_TRUE((it->second == 18 && n == 33) || (it->second == 25 && n == 34)) << n;
        }
    }
    EXPECT_EQ(shared, 2);
    EXPECT_THROW(Effects[0], std::out_of_range);
    EXPECT_THROW(Effects[172], std::out_of_range);
}

TEST(Effects, NamesLookUpWithoutRegardToCaseAndTheFirstMatchWins) {
    EXPECT_EQ(EffectNumberOfName("custom"), 0);
    EXPECT_EQ(EffectNumberOfName("EXPAND FROM BOTTOM"), 18);
    EXPECT_EQ(EffectNumberOfName("Expand in from top"), 25);
    EXPECT_EQ(EffectNumberOfName("unven shred from bottom"), 76);
    EXPECT_EQ(EffectNumberOfName("Expand from"), -1);
    EXPECT_EQ(EffectNumberOfName(""), -1);
}

TEST(Effects, EveryEntryHasItsRoutine) {
    for (int n = 1; n <= TEffectCatalog::Count; ++n) EXPECT_NE(Effects[n].Proc, nullptr) << n;
}

}  // namespace
}  // namespace corvane
