// Feeds arbitrary bytes to the TTargaGraphic loader (Targa files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/TargaGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TTargaGraphic>(data, size);
}
