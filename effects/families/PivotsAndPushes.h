#pragma once
// Entries 119 to 122 and 128 to 135: the pictures move rather than being uncovered. The pivots
// swing the new picture into place about a corner; the pushes slide it in from one side while
// the old picture slides out of the other side or is squeezed into what is left.

#include "effects/EffectCatalog.h"

namespace corvane::push {

CORVANE_EFFECT(PivotFromTopLeft);      // 119
CORVANE_EFFECT(PivotFromBottomLeft);   // 120
CORVANE_EFFECT(PivotFromTopRight);     // 121
CORVANE_EFFECT(PivotFromBottomRight);  // 122
CORVANE_EFFECT(PushRight);             // 128
CORVANE_EFFECT(PushLeft);              // 129
CORVANE_EFFECT(PushAndSqueezeRight);   // 130
CORVANE_EFFECT(PushAndSqueezeLeft);    // 131
CORVANE_EFFECT(PushDown);              // 132
CORVANE_EFFECT(PushUp);                // 133
CORVANE_EFFECT(PushAndSqueezeDown);    // 134
CORVANE_EFFECT(PushAndSqueezeUp);      // 135

}  // namespace corvane::push
