#pragma once
#include <cstdint>

namespace corvane {

// Milliseconds of the monotonic clock as an unsigned 32-bit value that wraps after 49.7 days.
uint32_t GetTickCount32();
// Nanoseconds of the monotonic clock: the high-resolution counter.
uint64_t HighResolutionCounter();

}  // namespace corvane
