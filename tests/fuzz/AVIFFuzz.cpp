// Feeds arbitrary bytes to the TAVIFGraphic loader; see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/AVIFGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TAVIFGraphic>(data, size);
}
