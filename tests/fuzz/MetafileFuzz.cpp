// Feeds arbitrary bytes to the TMetafile loader (Windows and enhanced metafiles); see
// GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "imaging/Metafile.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TMetafile>(data, size);
}
