#pragma once
// The shared body of the picture decoders' fuzz harnesses: load arbitrary bytes into a graphic of
// one class and draw whatever loads, at its own size and clipped into a small bitmap. Bad data
// must end in the class's error, never in a crash, a hang or an unbounded allocation.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "imaging/Stream.h"
#include "platform/raster/Bitmap32.h"

namespace corvane {

// Pictures of any size are loaded and drawn at their own size: the budgets of loading keep every
// input fast. Only the bitmap drawn into is at most FuzzTargetSide pixels square (the drawing is
// clipped to it), so that a metafile, whose few bytes can state 64 megapixels, is not paid for
// by the harness's own bitmap.
inline constexpr int32_t FuzzTargetSide = 256;

template <typename TGraphicClass>
int FuzzGraphic(const uint8_t* data, size_t size) {
    TMemoryStream stream(std::span<const uint8_t>(data, size));
    TGraphicClass graphic;
    try {
        graphic.LoadFromStream(stream);
        const int32_t w = graphic.Width(), h = graphic.Height();
        Bitmap32 own(std::min(w, FuzzTargetSide), std::min(h, FuzzTargetSide));
        graphic.Draw(own, TRect{0, 0, w, h});
        Bitmap32 small(7, 5);
        graphic.Draw(small, TRect{-3, 1, 9, 4});
    } catch (const std::runtime_error&) {
        // the loader's or the decoder's message
    }
    return 0;
}

}  // namespace corvane
