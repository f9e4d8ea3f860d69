#include "imaging/Stream.h"

#include <algorithm>
#include <cstring>

namespace corvane {

std::vector<uint8_t> TStream::ReadRemaining() {
    // Up to the size the stream has now: a file that grows meanwhile is not followed.
    std::vector<uint8_t> bytes;
    const uint64_t size = Size(), position = Position();
    if (size > position) bytes.resize(size_t(size - position));
    bytes.resize(bytes.empty() ? 0 : Read(bytes.data(), bytes.size()));
    return bytes;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    const size_t n = std::min(count, FBytes.size() - FPosition);
    if (n) std::memcpy(buffer, FBytes.data() + FPosition, n);
    FPosition += n;
    return n;
}

void TMemoryStream::Seek(uint64_t position) {
    FPosition = size_t(std::min<uint64_t>(position, FBytes.size()));
}

}  // namespace corvane
