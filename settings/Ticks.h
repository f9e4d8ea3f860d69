#pragma once
#include <cstdint>

namespace corvane {

// Remembers the tick count now, for TicksElapsed. The one remembered value is shared by all
// callers; the slideshow's pause is its only user.
void StartTick();

// Milliseconds since the last StartTick, in unsigned 32-bit arithmetic, so the count stays right
// across the wrap of the tick count after 49.7 days.
uint32_t TicksElapsed();

constexpr uint32_t TicksBetween(uint32_t start, uint32_t now) {
    return now - start;
}

}  // namespace corvane
