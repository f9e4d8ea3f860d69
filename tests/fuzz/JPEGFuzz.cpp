// Feeds arbitrary bytes to the TJPEGImage loader (JPEG files); see GraphicFuzzing.h.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "imaging/JPEGImage.h"
#include "tests/fuzz/GraphicFuzzing.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzGraphic<TJPEGImage>(data, size);
}
