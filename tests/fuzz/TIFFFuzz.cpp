// Feeds arbitrary bytes to the TTIFFGraphic loader (TIFF files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/TIFFGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TTIFFGraphic>(data, size);
}
