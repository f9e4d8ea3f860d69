#pragma once
// The pacing rules the frame loop shares between its threaded and unthreaded runs.

#include <algorithm>
#include <cstdint>

namespace corvane {

// One advance of the frame loop: whether the transition goes on, and the milliseconds the
// frame took to compose and paint.
struct TFrameResult {
    bool GoesOn = false;
    uint32_t Time = 0;
};

// The step after a frame that took longer than the delay, with exact timing: the step grows in
// proportion, rounded to nearest (a multiply-then-divide with a 64-bit intermediate). Any step
// of 100 or more ends the transition, so larger ones are held at 100. A delay of 0 has no
// proportion to keep: the step stays.
inline int32_t ScaledStep(int32_t step, uint32_t frameTime, int32_t delay) {
    if (delay <= 0) return step;
    const int64_t scaled = (int64_t(step) * frameTime + delay / 2) / delay;
    return int32_t(std::clamp<int64_t>(scaled, 1, 100));
}

}  // namespace corvane
