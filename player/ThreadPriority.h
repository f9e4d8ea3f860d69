#pragma once
// Thread priorities on Linux. tpIdle runs the thread under the idle scheduling class; the other
// levels set the thread's nice value relative to the process's: tpLowest +10, tpLower +5,
// tpNormal unchanged, tpHigher -5, tpHighest -10, tpTimeCritical -20 (clamped to -20 .. 19).
// Raising a priority needs a privilege an ordinary user lacks; the thread then stays as it is.

#include "player/PlayerTypes.h"

namespace corvane {

// The nice value offset of a priority level (tpIdle counts as +19).
int NiceOffsetOf(TThreadPriority priority);

// Applies the priority to the calling thread; quietly keeps what it has when refused.
void ApplyThreadPriority(TThreadPriority priority);

}  // namespace corvane
