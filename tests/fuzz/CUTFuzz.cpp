// Feeds arbitrary bytes to the TCUTGraphic loader (Dr. Halo files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/CUTGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TCUTGraphic>(data, size);
}
