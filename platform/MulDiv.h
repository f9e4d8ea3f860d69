#pragma once
#include <cstdint>

namespace corvane {

// a * b / c with a 64-bit intermediate, rounded to the nearest integer, halves away from zero;
// -1 when c is 0 or the result does not fit in 32 bits, as the platform call does.
constexpr int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    int64_t product = int64_t(a) * b;
    bool negative = (product < 0) != (c < 0);
    uint64_t n = product < 0 ? uint64_t(-product) : uint64_t(product);
    uint64_t d = c < 0 ? uint64_t(-int64_t(c)) : uint64_t(c);
    uint64_t q = (n + d / 2) / d;
    if (q > (negative ? uint64_t(INT32_MAX) + 1 : uint64_t(INT32_MAX))) return -1;
    return negative ? int32_t(-int64_t(q)) : int32_t(q);
}

}  // namespace corvane
