// Feeds arbitrary bytes to the TIcon loader (icon files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "imaging/ByteReader.h"
#include "imaging/DibDecoder.h"
#include "imaging/Icon.h"
#include "imaging/PngCodec.h"
#include "imaging/Stream.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Bytes bytes(data, size);
    // Entries that state more than a million pixels are passed over: filling that much memory
    // makes each run slow, and the size limit itself is covered by the unit tests.
    for (size_t entry = 6; size >= 6 && entry + 16 <= size && entry < 6 + 16 * size_t(Le16(data + 4));
         entry += 16) {
        const uint32_t length = Le32(data + entry + 8), offset = Le32(data + entry + 12);
        if (!InRange(bytes, offset, length)) continue;
        const Bytes image = bytes.subspan(offset, length);
        int32_t w = 0, h = 0;
        try {
            if (!ReadPngSize(image, w, h)) {
                const DibInfo info = ReadDibInfo(image, {"invalid", true});
                w = info.Width, h = info.Height;
            }
        } catch (const std::runtime_error&) {
        }
        if (int64_t(w) * h > FuzzDrawLimit) return 0;
    }
    return FuzzGraphic<TIcon>(data, size);
}
