#include "platform/Clock.h"

#include <time.h>

namespace corvane {

uint64_t HighResolutionCounter() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000000000u + uint64_t(ts.tv_nsec);
}

uint32_t GetTickCount32() { return uint32_t(HighResolutionCounter() / 1000000u); }

}  // namespace corvane
