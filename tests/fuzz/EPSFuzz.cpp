// Feeds arbitrary bytes to the TEPSGraphic loader (encapsulated PostScript files with a TIFF preview); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/TIFFGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TEPSGraphic>(data, size);
}
