#pragma once
// Entries 65 to 68, 76 to 79 and 100 to 109: the new picture is uncovered in place through thin
// strips of random, uneven length, so that the moving edge looks torn; horizontal strips reach
// along x, vertical ones along y, and the combined entries use both.

#include "effects/EffectCatalog.h"

namespace corvane::shred {

CORVANE_EFFECT(UnevenShredFromRight);                // 65
CORVANE_EFFECT(UnevenShredFromLeft);                 // 66
CORVANE_EFFECT(UnevenShredOutFromMiddleHoriz);       // 67
CORVANE_EFFECT(UnevenShredInToMiddleHoriz);          // 68
CORVANE_EFFECT(UnevenShredFromBottom);               // 76
CORVANE_EFFECT(UnevenShredFromTop);                  // 77
CORVANE_EFFECT(UnevenShredFromHorizon);              // 78
CORVANE_EFFECT(UnevenShredInToHorizon);              // 79
CORVANE_EFFECT(UnevenShredFromBottomAndRight);       // 100
CORVANE_EFFECT(UnevenShredFromTopAndRight);          // 101
CORVANE_EFFECT(UnevenShredFromBottomAndLeft);        // 102
CORVANE_EFFECT(UnevenShredFromTopAndLeft);           // 103
CORVANE_EFFECT(UnevenShredFromHorizAndRight);        // 104
CORVANE_EFFECT(UnevenShredFromHorizAndLeft);         // 105
CORVANE_EFFECT(UnevenShredFromBottomAndVertMiddle);  // 106
CORVANE_EFFECT(UnevenShredFromTopAndVertMiddle);     // 107
CORVANE_EFFECT(UnevenShredFromCentre);               // 108
CORVANE_EFFECT(UnevenShredToCentre);                 // 109

}  // namespace corvane::shred
