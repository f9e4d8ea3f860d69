// Feeds arbitrary bytes to the TPSDGraphic loader (Photoshop files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/PSDGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TPSDGraphic>(data, size);
}
