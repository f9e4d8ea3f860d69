// Feeds arbitrary bytes to the TPNGGraphic loader; see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/PNGGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TPNGGraphic>(data, size);
}
