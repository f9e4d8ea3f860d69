#pragma once
// Entries 142 to 144: a lattice of squares that grow from their centres until they meet, and a
// circular sector that turns about the centre like a clock hand from twelve o'clock.

#include "effects/EffectCatalog.h"

namespace corvane::sweeps {

CORVANE_EFFECT(RectangularShred);    // 142
CORVANE_EFFECT(SweepClockwise);      // 143
CORVANE_EFFECT(SweepAnticlockwise);  // 144

}  // namespace corvane::sweeps
