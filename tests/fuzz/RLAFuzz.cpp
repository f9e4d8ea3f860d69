// Feeds arbitrary bytes to the TRLAGraphic loader (Alias/Wavefront files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/RLAGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TRLAGraphic>(data, size);
}
