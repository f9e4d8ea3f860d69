#pragma once
// Entries 168 to 171: whole pictures and single pixels. Pixelate zooms into the old picture until
// its pixels are large blocks, cross-fades while they are largest and zooms back out of the new
// picture; dissolve and the random bars switch pixels, rows or columns to the new picture in an
// order that is the same in every frame, so that what has appeared stays.

#include "effects/EffectCatalog.h"

namespace corvane::dissolve {

CORVANE_EFFECT(Pixelate);              // 168
CORVANE_EFFECT(Dissolve);              // 169
CORVANE_EFFECT(RandomBarsHorizontal);  // 170
CORVANE_EFFECT(RandomBarsVertical);    // 171

}  // namespace corvane::dissolve
