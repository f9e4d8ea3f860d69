// Feeds arbitrary bytes to the TBitmap loader (Windows bitmap files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/Bitmap.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TBitmap>(data, size);
}
