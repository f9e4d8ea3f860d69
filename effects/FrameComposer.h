#pragma once
// Composing one frame of a transition for a progress value, shared by the player and the render
// tool, and the progress sequence of the frame loop.

#include <cstdint>
#include <functional>

#include "platform/raster/Bitmap32.h"

namespace corvane {

// The progress-scaled extents: the longer side follows the progress directly and the shorter
// side keeps the picture's proportions (a square counts as wide).
struct TExtents {
    int32_t X = 0;
    int32_t Y = 0;
};
TExtents ProgressExtents(int32_t W, int32_t H, int32_t Progress);

// Hooks the player raises its per-frame events through; any of them may be empty.
struct TFrameHooks {
    std::function<void()> BeforeNewFrame;  // after the old frame has been copied in
    std::function<void()> CustomDraw;      // style 0 at progress 1 to 99
    std::function<void()> AfterNewFrame;   // when the frame is complete
};

// Builds the frame for the progress into Screen: the old frame is copied in (under its lock);
// at 100 the whole picture is copied over it, at 0 nothing more happens, at 1 to 99 style 0 runs
// the custom-draw hook and styles 1 to 171 their catalogue routine, with the stretch mode set to
// colour-on-colour. All three bitmaps have the picture's size; Screen is given it if it differs.
// Raises std::out_of_range for a style outside 0 to 171; Screen then holds the old frame.
void ComposeFrame(Bitmap32& Screen, const Bitmap32& OldFrame, const Bitmap32& Picture, int Style,
                  int32_t Progress, const TFrameHooks& Hooks = {});

// ComposeFrame after its copy of the old frame: Screen, of the picture's size, already holds the
// old frame, and the hooks, the picture or the effect are drawn over it. A caller that knows
// that Screen holds the old frame saves the copy; the frame is the same.
void DrawOverOldFrame(Bitmap32& Screen, const Bitmap32& Picture, int Style, int32_t Progress,
                      const TFrameHooks& Hooks = {});

// The next progress of the frame loop with step s: forward p + s while p < 100 - s, else 100;
// backward p - s while s < p, else 0. The last frame is therefore always exactly 100 (or 0).
int32_t NextProgress(int32_t p, int32_t s, bool reverse);

}  // namespace corvane
