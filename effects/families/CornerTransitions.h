#pragma once
// Entries 35 to 57: the new picture moves in along both axes at once, from a corner, out of the
// centre, in toward the centre, or as four quarters.

#include "effects/EffectCatalog.h"

namespace corvane::corner {

CORVANE_EFFECT(ExpandFromBottomRight);          // 35
CORVANE_EFFECT(ExpandFromTopRight);             // 36
CORVANE_EFFECT(ExpandFromTopLeft);              // 37
CORVANE_EFFECT(ExpandFromBottomLeft);           // 38
CORVANE_EFFECT(SlideInFromBottomRight);         // 39
CORVANE_EFFECT(SlideInFromTopRight);            // 40
CORVANE_EFFECT(SlideInFromTopLeft);             // 41
CORVANE_EFFECT(SlideInFromBottomLeft);          // 42
CORVANE_EFFECT(RevealFromTopLeft);              // 43
CORVANE_EFFECT(RevealFromBottomLeft);           // 44
CORVANE_EFFECT(RevealFromBottomRight);          // 45
CORVANE_EFFECT(RevealFromTopRight);             // 46
CORVANE_EFFECT(AppearAndContractToTopLeft);     // 47
CORVANE_EFFECT(AppearAndContractToBottomLeft);  // 48
CORVANE_EFFECT(AppearAndContractToBottomRight); // 49
CORVANE_EFFECT(AppearAndContractToTopRight);    // 50
CORVANE_EFFECT(AppearAndContractToMiddle);      // 51
CORVANE_EFFECT(ExpandOutFromCentre);            // 52
CORVANE_EFFECT(RevealOutFromCentre);            // 53
CORVANE_EFFECT(RevealInToCentre);               // 54
CORVANE_EFFECT(QuartersRevealInToMiddle);       // 55
CORVANE_EFFECT(QuartersExpandToMiddle);         // 56
CORVANE_EFFECT(QuartersSlideInToMiddle);        // 57

}  // namespace corvane::corner
