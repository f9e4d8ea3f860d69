#pragma once
// Entries 118 and 123 to 127: the new picture arrives without a clean edge. The fade blends the
// two pictures; the speckles advance a solid band with random squares scattered ahead of it; the
// random squares fill a fixed grid in an order that is the same in every frame.

#include "effects/EffectCatalog.h"

namespace corvane::speckle {

CORVANE_EFFECT(Fade);                     // 118
CORVANE_EFFECT(SpeckleAppearFromRight);   // 123
CORVANE_EFFECT(SpeckleAppearFromLeft);    // 124
CORVANE_EFFECT(SpeckleAppearFromBottom);  // 125
CORVANE_EFFECT(SpeckleAppearFromTop);     // 126
CORVANE_EFFECT(RandomSquaresAppear);      // 127

}  // namespace corvane::speckle
