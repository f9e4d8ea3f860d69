#include "player/DrawTiled.h"

#include "platform/raster/Drawing.h"

namespace corvane {

void DrawTiled(Bitmap32& canvas, const TRect& rect, const TGraphic& graphic) {
    const int32_t w = graphic.Width(), h = graphic.Height();
    if (w <= 0 || h <= 0) return;
    SavedClipState saved(canvas);
    IntersectClipRect(canvas, rect.Left, rect.Top, rect.Right, rect.Bottom);
    TRect c = ClipBox(canvas);
    if (c.IsEmpty()) return;
    c.Left -= (c.Left - rect.Left) % w;
    c.Top -= (c.Top - rect.Top) % h;
    for (int64_t y = c.Top; y < c.Bottom; y += h) {
        for (int64_t x = c.Left; x < c.Right; x += w) {
            const TRect tile{int32_t(x), int32_t(y), ClampCoord(x + w), ClampCoord(y + h)};
            if (RectVisible(canvas, tile)) graphic.Draw(canvas, tile);
        }
    }
}

}  // namespace corvane
