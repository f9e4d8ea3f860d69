#include "imaging/DisplayDepth.h"

#include <atomic>

namespace corvane {

namespace {
std::atomic<int> DisplayBits{24};
}

void SetDisplayBitsPerPixel(int bitsPerPixel) {
    DisplayBits.store(bitsPerPixel);
}
int DisplayBitsPerPixel() {
    return DisplayBits.load();
}

}  // namespace corvane
