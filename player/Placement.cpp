#include "player/Placement.h"

#include <algorithm>

#include "platform/MulDiv.h"

namespace corvane {

TRect CalcPlacement(const TPlacementInput& in) {
    // A border wider than half the client area leaves no room rather than a negative one (which
    // would show the picture mirrored over the border).
    const int32_t cw = std::max<int32_t>(0, in.ClientWidth - 2 * in.FrameWidth);
    const int32_t ch = std::max<int32_t>(0, in.ClientHeight - 2 * in.FrameWidth);
    int32_t a = in.SourceWidth, b = in.SourceHeight;
    if (in.Proportional && a > 0 && b > 0 && (in.Stretch || cw < a || ch < b)) {
        if (double(ch) / b > double(cw) / a) {
            b = MulDiv(b, cw, a);
            a = cw;
        } else {
            a = MulDiv(a, ch, b);
            b = ch;
        }
    } else if (in.Stretch) {
        a = cw;
        b = ch;
    }
    int32_t dx = in.FrameWidth, dy = in.FrameWidth;
    if (in.Center) {
        dx += (cw - a) / 2;
        dy += (ch - b) / 2;
    }
    return TRect{dx, dy, dx + a, dy + b};
}

}  // namespace corvane
