// Feeds arbitrary bytes to the TPCDGraphic loader (Photo-CD image packs); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/PCDGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TPCDGraphic>(data, size);
}
