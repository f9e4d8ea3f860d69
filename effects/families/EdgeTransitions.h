#pragma once
// Entries 1 to 34: the new picture comes in across the whole height (1 to 17) or the whole width
// (18 to 34) of the frame, from one edge, from both edges or from the middle.

#include "effects/EffectCatalog.h"

namespace corvane::edge {

CORVANE_EFFECT(ExpandFromRight);          // 1
CORVANE_EFFECT(ExpandFromLeft);           // 2
CORVANE_EFFECT(SlideInFromRight);         // 3
CORVANE_EFFECT(SlideInFromLeft);          // 4
CORVANE_EFFECT(RevealFromLeft);           // 5
CORVANE_EFFECT(RevealFromRight);          // 6
CORVANE_EFFECT(ExpandInFromRight);        // 7
CORVANE_EFFECT(ExpandInFromLeft);         // 8
CORVANE_EFFECT(ExpandInToMiddle);         // 9
CORVANE_EFFECT(ExpandOutFromMiddle);      // 10
CORVANE_EFFECT(RevealOutFromMiddle);      // 11
CORVANE_EFFECT(RevealInFromSides);        // 12
CORVANE_EFFECT(ExpandInFromSides);        // 13
CORVANE_EFFECT(UnrollFromLeft);           // 14
CORVANE_EFFECT(UnrollFromRight);          // 15
CORVANE_EFFECT(BuildUpFromRight);         // 16
CORVANE_EFFECT(BuildUpFromLeft);          // 17
CORVANE_EFFECT(ExpandFromBottom);         // 18
CORVANE_EFFECT(ExpandFromTop);            // 19
CORVANE_EFFECT(SlideInFromBottom);        // 20
CORVANE_EFFECT(SlideInFromTop);           // 21
CORVANE_EFFECT(RevealFromTop);            // 22
CORVANE_EFFECT(RevealFromBottom);         // 23
CORVANE_EFFECT(ExpandInFromBottom);       // 24
CORVANE_EFFECT(ExpandInFromTop);          // 25
CORVANE_EFFECT(ExpandInToMiddleHoriz);    // 26
CORVANE_EFFECT(ExpandOutFromMiddleHoriz); // 27
CORVANE_EFFECT(RevealFromMiddleHoriz);    // 28
CORVANE_EFFECT(RevealInFromTopBottom);    // 29
CORVANE_EFFECT(ExpandInFromTopBottom);    // 30
CORVANE_EFFECT(UnrollFromTop);            // 31
CORVANE_EFFECT(UnrollFromBottom);         // 32
CORVANE_EFFECT(BuildUpFromBottom);        // 33
CORVANE_EFFECT(BuildUpFromTop);           // 34

}  // namespace corvane::edge
