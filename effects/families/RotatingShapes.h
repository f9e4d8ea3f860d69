#pragma once
// Entries 149 to 152, 161 and 164: the new picture shows through a shape that grows while it
// makes one clockwise turn (a rectangle or a four-pointed star about the centre, a rectangle about
// a point travelling down the diagonal), through four blades that sweep anticlockwise along the
// sides, or through a square lattice of circles or diamonds that grow until they merge.

#include "effects/EffectCatalog.h"

namespace corvane::rotating {

CORVANE_EFFECT(RotationalRectangleInCenter);       // 149
CORVANE_EFFECT(RotationalStarInCenter);            // 150
CORVANE_EFFECT(SpiralRectangle);                   // 151
CORVANE_EFFECT(CircularShred);                     // 152
CORVANE_EFFECT(StarburstAnticlockwiseFromCenter);  // 161
CORVANE_EFFECT(DiamondShred);                      // 164

}  // namespace corvane::rotating
