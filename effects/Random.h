#pragma once
// The one pseudo-random generator of the program. Its state is one unsigned 32-bit value S; each
// draw advances S to S * 134775813 + 1 (mod 2^32) and returns the high 32 bits of the 64-bit
// product S * N. The cycle draws from it between transitions and the effect routines during
// them, never both at once; the state is atomic only so that the hand-over between the two
// threads is well defined.
//
// Where several slideshows run at once (one per screen), each takes its turn with the generator
// (RandomTurn) for the draws of one frame or one picture change, so that no routine's draws,
// above all those of the routines that set the state and put it back, interleave with another's.

#include <cstdint>
#include <mutex>

namespace corvane {

// A value r with 0 <= r < n for n >= 1, and 0 for n <= 0.
int32_t Random(int32_t n);

uint32_t RandomState();
void SetRandomState(uint32_t state);

// Sets the generator to a fixed state for a scope and restores the previous state on every way
// out, so that a pattern depends only on what the routine computes, not on earlier draws.
class FixedRandomState {
public:
    explicit FixedRandomState(uint32_t state) : FSaved(RandomState()) { SetRandomState(state); }
    ~FixedRandomState() { SetRandomState(FSaved); }
    FixedRandomState(const FixedRandomState&) = delete;
    FixedRandomState& operator=(const FixedRandomState&) = delete;

private:
    uint32_t FSaved;
};

// Holds the generator for one frame's or one picture change's draws. Re-entrant on its thread.
class RandomTurn {
public:
    RandomTurn();
    RandomTurn(const RandomTurn&) = delete;
    RandomTurn& operator=(const RandomTurn&) = delete;

private:
    std::lock_guard<std::recursive_mutex> FLock;
};

// The shared generator's sequence drawn in a local copy, for loops that draw once per pixel or
// row: it takes the state when created and hands it back, advanced by every draw, when it ends.
class RandomRun {
public:
    static constexpr uint32_t Multiplier = 134775813u;

    RandomRun() : FState(RandomState()) {}
    ~RandomRun() { SetRandomState(FState); }
    RandomRun(const RandomRun&) = delete;
    RandomRun& operator=(const RandomRun&) = delete;

    // The same value as Random(n).
    int32_t Next(int32_t n) {
        FState = FState * Multiplier + 1u;
        return n <= 0 ? 0 : int32_t((uint64_t(FState) * uint64_t(uint32_t(n))) >> 32);
    }
    // The state itself, for the pixel runs that draw in bulk.
    uint32_t& State() { return FState; }

private:
    uint32_t FState;
};

}  // namespace corvane
