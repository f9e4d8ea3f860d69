// Feeds arbitrary bytes to the THEIFGraphic loader; see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/HEIFGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<THEIFGraphic>(data, size);
}
