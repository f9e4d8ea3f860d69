#include "effects/Random.h"

#include <atomic>

namespace corvane {

namespace {
std::atomic<uint32_t> RandSeed{0};
std::recursive_mutex Turns;
}  // namespace

RandomTurn::RandomTurn() : FLock(Turns) {}

int32_t Random(int32_t n) {
    uint32_t s = RandSeed.load(std::memory_order_relaxed) * 134775813u + 1u;
    RandSeed.store(s, std::memory_order_relaxed);
    if (n <= 0) return 0;
    return int32_t((uint64_t(s) * uint64_t(uint32_t(n))) >> 32);
}

uint32_t RandomState() { return RandSeed.load(std::memory_order_relaxed); }

void SetRandomState(uint32_t state) { RandSeed.store(state, std::memory_order_relaxed); }

}  // namespace corvane
