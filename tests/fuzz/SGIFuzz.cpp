// Feeds arbitrary bytes to the TSGIGraphic loader (SGI files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/SGIGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TSGIGraphic>(data, size);
}
