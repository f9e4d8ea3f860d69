#pragma once
// Where the frame of a transition is shown in the control's client area.

#include <cstdint>

#include "platform/raster/Geometry.h"

namespace corvane {

struct TPlacementInput {
    int32_t ClientWidth = 0;
    int32_t ClientHeight = 0;
    int32_t FrameWidth = 0;  // the border around the picture, >= 0
    int32_t SourceWidth = 0;
    int32_t SourceHeight = 0;
    bool Proportional = false;
    bool Stretch = false;
    bool Center = false;
};

// The rectangle of the client area the frame is shown in. Proportional shrinks a picture that
// does not fit (and, with Stretch, also enlarges one that does) keeping its aspect ratio;
// Stretch alone fills the area inside the border; otherwise the picture keeps its own size.
// Center centres it inside the border, else it sits at the border's inner corner.
TRect CalcPlacement(const TPlacementInput& in);

}  // namespace corvane
