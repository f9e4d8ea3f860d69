// Feeds arbitrary bytes to the TPPMGraphic loader (portable maps); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/PPMGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TPPMGraphic>(data, size);
}
