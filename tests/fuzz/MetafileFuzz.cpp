// Feeds arbitrary bytes to the TMetafile loader (Windows and enhanced metafiles) and draws whatever
// loads. Bad data must end in the class's error, never in a crash, a hang or an unbounded
// allocation.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "imaging/Metafile.h"
#include "imaging/Stream.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream stream(std::span<const uint8_t>(data, size));
    TMetafile graphic;
    try {
        graphic.LoadFromStream(stream);
        // Drawing costs time in proportion to the picture; the size limit itself is tested
        // elsewhere, so the harness draws only pictures of up to a million pixels.
        const int32_t w = graphic.Width(), h = graphic.Height();
        if (int64_t(w) * h > (int64_t(1) << 20)) return 0;
        Bitmap32 own(w, h);
        graphic.Draw(own, TRect{0, 0, w, h});
        Bitmap32 small(7, 5);
        graphic.Draw(small, TRect{-3, 1, 9, 4});
    } catch (const std::runtime_error&) {
        // the loader's or the decoder's message
    }
    return 0;
}
