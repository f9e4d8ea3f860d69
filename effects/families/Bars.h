#pragma once
// Entries 60 to 64, 71 to 75 and 86 to 99: the new picture is uncovered in place through bars
// that grow in from the edges, horizontal ones along x, vertical ones along y, or both at once
// so that they cross.

#include "effects/EffectCatalog.h"

namespace corvane::bars {

CORVANE_EFFECT(BarsInFromRight);                      // 60
CORVANE_EFFECT(BarsInFromLeft);                       // 61
CORVANE_EFFECT(BarsLeftThenRight);                    // 62
CORVANE_EFFECT(BarsRightThenLeft);                    // 63
CORVANE_EFFECT(BarsFromBothSides);                    // 64
CORVANE_EFFECT(BarsFromBottom);                       // 71
CORVANE_EFFECT(BarsFromTop);                          // 72
CORVANE_EFFECT(BarsTopThenBottom);                    // 73
CORVANE_EFFECT(BarsBottomThenTop);                    // 74
CORVANE_EFFECT(BarsFromTopAndBottom);                 // 75
CORVANE_EFFECT(CrissCrossFromBottomRight);            // 86
CORVANE_EFFECT(CrissCrossFromTopRight);               // 87
CORVANE_EFFECT(CrissCrossFromBottomLeft);             // 88
CORVANE_EFFECT(CrissCrossFromTopLeft);                // 89
CORVANE_EFFECT(CrissCrossBounceFromTopLeft);          // 90
CORVANE_EFFECT(CrissCrossBounceFromBottomLeft);       // 91
CORVANE_EFFECT(CrissCrossBounceFromTopRight);         // 92
CORVANE_EFFECT(CrissCrossBounceFromBottomRight);      // 93
CORVANE_EFFECT(CrissCrossFromRightTopAndBottom);      // 94
CORVANE_EFFECT(CrissCrossFromLeftTopAndBottom);       // 95
CORVANE_EFFECT(CrissCrossFromLeftRightAndBottom);     // 96
CORVANE_EFFECT(CrissCrossFromLeftRightAndTop);        // 97
CORVANE_EFFECT(CrissCrossFromTopLeftRightAndBottom);  // 98
CORVANE_EFFECT(CrissCrossFromBottomLeftTopRight);     // 99

}  // namespace corvane::bars
