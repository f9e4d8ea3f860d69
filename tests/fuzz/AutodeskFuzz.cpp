// Feeds arbitrary bytes to the TAutodeskGraphic loader (Autodesk Animator files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>

#include "imaging/formats/AutodeskGraphic.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TAutodeskGraphic>(data, size);
}
