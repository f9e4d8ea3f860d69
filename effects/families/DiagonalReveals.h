#pragma once
// Entries 110 to 117: the new picture shows through triangles: a corner triangle that grows
// along the diagonal, two triangles hinged on opposite corners, four blades turning about the
// centre, or a lattice of small triangles that grow until they merge.

#include "effects/EffectCatalog.h"

namespace corvane::diagonal {

CORVANE_EFFECT(RevealDiagonalFromTopLeft);      // 110
CORVANE_EFFECT(RevealDiagonalFromTopRight);     // 111
CORVANE_EFFECT(RevealDiagonalFromBottomLeft);   // 112
CORVANE_EFFECT(RevealDiagonalFromBottomRight);  // 113
CORVANE_EFFECT(DiagonalSweepAnticlockwise);     // 114
CORVANE_EFFECT(DiagonalSweepClockwise);         // 115
CORVANE_EFFECT(StarburstClockwise);             // 116
CORVANE_EFFECT(TriangularShred);                // 117

}  // namespace corvane::diagonal
