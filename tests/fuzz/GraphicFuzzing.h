#pragma once
// The shared body of the picture decoders' fuzz harnesses: load arbitrary bytes into a graphic of
// one class and draw whatever loads, at its own size and clipped into a small bitmap. Bad data
// must end in the class's error, never in a crash, a hang or an unbounded allocation.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "imaging/Stream.h"
#include "platform/raster/Bitmap32.h"

namespace corvane {

// Drawing costs time in proportion to the picture, and the size limit itself is covered by the
// unit tests, so the harnesses draw only pictures of up to a million pixels.
inline constexpr int64_t FuzzDrawLimit = int64_t(1) << 20;

template <typename TGraphicClass>
int FuzzGraphic(const uint8_t* data, size_t size) {
    TMemoryStream stream(std::span<const uint8_t>(data, size));
    TGraphicClass graphic;
    try {
        graphic.LoadFromStream(stream);
        const int32_t w = graphic.Width(), h = graphic.Height();
        if (int64_t(w) * h > FuzzDrawLimit) return 0;
        Bitmap32 own(w, h);
        graphic.Draw(own, TRect{0, 0, w, h});
        Bitmap32 small(7, 5);
        graphic.Draw(small, TRect{-3, 1, 9, 4});
    } catch (const std::runtime_error&) {
        // the loader's or the decoder's message
    }
    return 0;
}

}  // namespace corvane
