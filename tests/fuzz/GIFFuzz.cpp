// Feeds arbitrary bytes to the TGIFGraphic loader (GIF files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/GIFGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TGIFGraphic>(data, size);
}
