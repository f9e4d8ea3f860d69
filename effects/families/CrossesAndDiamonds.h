#pragma once
// Entries 159, 160, 162, 163 and 165 to 167: the new picture shows through a few polygons
// anchored on the frame's centre lines: triangles on the side midpoints that leave or make a
// diagonal cross, a zigzag band along the middle that thickens, and diamonds that grow from the
// centre, close in on it, or widen out of the diamond through the side midpoints.

#include "effects/EffectCatalog.h"

namespace corvane::crosses {

CORVANE_EFFECT(DiagonalCrossIn);             // 159
CORVANE_EFFECT(DiagonalCrossOut);            // 160
CORVANE_EFFECT(ZigzagHorizontal);            // 162
CORVANE_EFFECT(ZigzagVertical);              // 163
CORVANE_EFFECT(RevealDiamondOutFromCentre);  // 165
CORVANE_EFFECT(RevealDiamondInToCentre);     // 166
CORVANE_EFFECT(DiagonalBoxOut);              // 167

}  // namespace corvane::crosses
