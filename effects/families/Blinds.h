#pragma once
// Entries 136 to 141: the new picture shows through parallel strips. The blinds' slats sit at a
// fixed pitch and open about their centre lines; in the uneven blinds the pitch itself grows
// with the progress and each strip fills the same growing share of it from the named side.

#include "effects/EffectCatalog.h"

namespace corvane::blinds {

CORVANE_EFFECT(BlindVertically);        // 136
CORVANE_EFFECT(BlindHorizontally);      // 137
CORVANE_EFFECT(UnevenBlindFromLeft);    // 138
CORVANE_EFFECT(UnevenBlindFromRight);   // 139
CORVANE_EFFECT(UnevenBlindFromTop);     // 140
CORVANE_EFFECT(UnevenBlindFromBottom);  // 141

}  // namespace corvane::blinds
