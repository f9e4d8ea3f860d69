#include "effects/FrameComposer.h"

#include <mutex>
#include <stdexcept>
#include <string>

#include "effects/EffectCatalog.h"
#include "effects/Random.h"
#include "platform/MulDiv.h"
#include "platform/raster/Drawing.h"

namespace corvane {

TExtents ProgressExtents(int32_t W, int32_t H, int32_t Progress) {
    TExtents e;
    if (W <= 0 || H <= 0) return e;
    if (H > W) {
        e.Y = MulDiv(H, Progress, 100);
        e.X = MulDiv(e.Y, W, H);
    } else {
        e.X = MulDiv(W, Progress, 100);
        e.Y = MulDiv(e.X, H, W);
    }
    return e;
}

namespace {
void CheckStyle(int Style) {
    if (Style < 0 || Style > TEffectCatalog::Count)
        throw std::out_of_range("effect " + std::to_string(Style) + " does not exist");
}
}  // namespace

void ComposeFrame(Bitmap32& Screen, const Bitmap32& OldFrame, const Bitmap32& Picture, int Style,
                  int32_t Progress, const TFrameHooks& Hooks) {
    CheckStyle(Style);
    const int32_t W = Picture.Width(), H = Picture.Height();
    if (Screen.Width() != W || Screen.Height() != H) Screen.SetSize(W, H);
    {
        std::lock_guard lock(OldFrame.Surface().Lock());
        BitBlt(Screen, 0, 0, W, H, OldFrame, 0, 0);
    }
    DrawOverOldFrame(Screen, Picture, Style, Progress, Hooks);
}

void DrawOverOldFrame(Bitmap32& Screen, const Bitmap32& Picture, int Style, int32_t Progress,
                      const TFrameHooks& Hooks) {
    CheckStyle(Style);
    const int32_t W = Picture.Width(), H = Picture.Height();
    if (Hooks.BeforeNewFrame) Hooks.BeforeNewFrame();
    if (Progress >= 100) {
        BitBlt(Screen, 0, 0, W, H, Picture, 0, 0);
    } else if (Progress > 0) {
        if (Style == 0) {
            if (Hooks.CustomDraw) Hooks.CustomDraw();
        } else {
            const TEffectProc proc = Effects[Style].Proc;
            Screen.Surface().SetStretchMode(COLORONCOLOR);
            const TExtents e = ProgressExtents(W, H, Progress);
            RandomTurn turn;
            proc(Screen, Picture, W, H, e.X, e.Y, Progress);
        }
    }
    if (Hooks.AfterNewFrame) Hooks.AfterNewFrame();
}

int32_t NextProgress(int32_t p, int32_t s, bool reverse) {
    if (!reverse) return p < 100 - s ? p + s : 100;
    return s < p ? p - s : 0;
}

}  // namespace corvane
