// Feeds arbitrary bytes to the TPSPGraphic loader (Paint Shop Pro files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/PSPGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TPSPGraphic>(data, size);
}
