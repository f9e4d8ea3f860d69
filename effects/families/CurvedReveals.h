#pragma once
// Entries 58, 59, 69, 70 and 80 to 85: the new picture is uncovered in place behind a curved
// front that sweeps in from an edge, grows from a corner, or opens out of or closes on the
// centre.

#include "effects/EffectCatalog.h"

namespace corvane::curved {

CORVANE_EFFECT(CurvedRevealFromLeft);         // 58
CORVANE_EFFECT(CurvedRevealFromRight);        // 59
CORVANE_EFFECT(CurvedRevealFromTop);          // 69
CORVANE_EFFECT(CurvedRevealFromBottom);       // 70
CORVANE_EFFECT(CurvedRevealFromTopLeft);      // 80
CORVANE_EFFECT(CurvedRevealFromTopRight);     // 81
CORVANE_EFFECT(CurvedRevealFromBottomLeft);   // 82
CORVANE_EFFECT(CurvedRevealFromBottomRight);  // 83
CORVANE_EFFECT(EllipticRevealOutFromCentre);  // 84
CORVANE_EFFECT(EllipticRevealInToCentre);     // 85

}  // namespace corvane::curved
