// Feeds arbitrary bytes to the TPCXGraphic loader (PCX files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/PCXGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TPCXGraphic>(data, size);
}
