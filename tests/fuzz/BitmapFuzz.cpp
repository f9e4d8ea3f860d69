// Feeds arbitrary bytes to the TBitmap loader (Windows bitmap files); see GraphicFuzzing.h.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "imaging/Bitmap.h"
#include "imaging/DibDecoder.h"
#include "imaging/Stream.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    // A few bytes of run-length data may state up to the size limit, and filling that much
    // memory makes each run slow; the limit itself is covered by the unit tests, so such inputs
    // are passed over here.
    try {
        const DibInfo info = ReadDibInfo(bytes.subspan(std::min<size_t>(size, 14)), {"invalid"});
        if (int64_t(info.Width) * info.Height > FuzzDrawLimit) return 0;
    } catch (const std::runtime_error&) {
    }
    return FuzzGraphic<TBitmap>(data, size);
}
