// Feeds arbitrary bytes to the TIcon loader (icon files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/Icon.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TIcon>(data, size);
}
