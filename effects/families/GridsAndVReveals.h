#pragma once
// Entries 145 to 148 and 153 to 158: grids of full-length bands that thicken about fixed lines
// together with strips that march across the picture; one triangle (a V) whose base lies on an
// edge and whose point travels across; and two such triangles from opposite edges (bow ties).

#include "effects/EffectCatalog.h"

namespace corvane::grids {

CORVANE_EFFECT(RectanglesFromLeft);    // 145
CORVANE_EFFECT(RectanglesFromRight);   // 146
CORVANE_EFFECT(RectanglesFromTop);     // 147
CORVANE_EFFECT(RectanglesFromBottom);  // 148
CORVANE_EFFECT(RevealVFromLeft);       // 153
CORVANE_EFFECT(RevealVFromRight);      // 154
CORVANE_EFFECT(RevealVFromTop);        // 155
CORVANE_EFFECT(RevealVFromBottom);     // 156
CORVANE_EFFECT(BowTieHorizontal);      // 157
CORVANE_EFFECT(BowTieVertical);        // 158

}  // namespace corvane::grids
