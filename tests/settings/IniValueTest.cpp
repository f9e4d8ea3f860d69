#include "settings/IniValue.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace corvane {
namespace {

TEST(ParseIniInteger, DecimalAndThreeHexadecimalPrefixes) {
    const struct {
        const char* text;
        std::optional<int32_t> expected;
    } cases[] = {
        {"7", 7},
        {"-7", -7},
        {"+7", 7},
        {"007", 7},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$1F", 31},
        {"0xFFFFFFFF", -1},  // hexadecimal gives the 32-bit pattern: system colours keep their bits
        {"0xFF000005", int32_t(0xFF000005u)},
        {"0x100000000", std::nullopt},
        {"0x", std::nullopt},  // the prefix alone is too short
        {"$", std::nullopt},
        {"0x-1", std::nullopt},
        {"-0x10", std::nullopt},
        {"+-5", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1.5", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.expected) << c.text;
}

TEST(ParseIniFloat, FiniteDecimalNumbersOnly) {
    const struct {
        const char* text;
        std::optional<double> expected;
    } cases[] = {
        {"4", 4.0},
        {"-2.5", -2.5},
        {"+1e3", 1000.0},
        {".5", 0.5},
        {"1E20", 1e20},
        {"1e+20", 1e20},
        {"abc", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e999", std::nullopt},
        {"1,5", std::nullopt},
        {"0x10", std::nullopt},
        {"1e", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIniFloat(c.text), c.expected) << c.text;
}

TEST(FormatIniFloat, ShortestTextWholeNumbersWithoutExponent) {
    EXPECT_EQ(FormatIniFloat(4.0), "4");
    EXPECT_EQ(FormatIniFloat(100000.0), "100000");
    EXPECT_EQ(FormatIniFloat(0.1), "0.1");
    EXPECT_EQ(FormatIniFloat(-2.5), "-2.5");
    EXPECT_EQ(FormatIniFloat(1e20), "1e+20");
    EXPECT_EQ(FormatIniFloat(1e-7), "1e-07");
}

// Every finite number reads back exactly, and every whole number a spin edit can hold reads back
// as that integer, since the dialog writes floats that the slideshow reads as integers.
TEST(FormatIniFloat, ReadsBackExactlyAndWholeNumbersAsIntegers) {
    std::mt19937_64 rng(11);
    for (int i = 0; i < 20000; ++i) {
        double value = std::bit_cast<double>(rng());
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(ParseIniFloat(FormatIniFloat(value)), value) << FormatIniFloat(value);
    }
    std::uniform_int_distribution<int32_t> whole(INT32_MIN, INT32_MAX);
    for (int i = 0; i < 20000; ++i) {
        int32_t n = whole(rng);
        ASSERT_EQ(ParseIniInteger(FormatIniFloat(n)), n) << FormatIniFloat(n);
    }
}

}  // namespace
}  // namespace corvane
