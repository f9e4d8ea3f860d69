#include "imaging/PictureLimits.h"

#include <algorithm>
#include <string>

#include "imaging/ImagingErrors.h"
#include "imaging/Stream.h"

namespace corvane {

int64_t MetafileWorkLimit(int64_t targetArea) {
    // A bitmap of 2^31 x 2^31 pixels would overflow the product: such areas are clamped.
    const int64_t most = (INT64_MAX - MetafileWorkFloor) / MetafileWorkPerPixel;
    return MetafileWorkPerPixel * std::min(targetArea, most) + MetafileWorkFloor;
}

void CheckPictureSize(int64_t width, int64_t height, int64_t limit) {
    // Both factors are checked on their own first so that the product cannot overflow.
    if (width > limit || height > limit || width * height > limit)
        throw EPictureTooLarge("Picture is too large (" + std::to_string(width) + " x " +
                               std::to_string(height) + " pixels; at most " +
                               std::to_string(limit) + " pixels are accepted)");
}

bool DataCanYield(uint64_t dataBytes, uint64_t units, uint64_t unitsPerByte) {
    // units <= dataBytes * unitsPerByte, without overflow.
    return unitsPerByte != 0 && (units / unitsPerByte + (units % unitsPerByte != 0)) <= dataBytes;
}

std::vector<uint8_t> TPictureBudget::ReadWhole(TStream& stream) {
    const uint64_t size = stream.Size(), position = stream.Position();
    const uint64_t count = size > position ? size - position : 0;
    if (count > MaxWholeFileBytes)
        throw EPictureTooLarge("Picture file is too large (" + std::to_string(count) +
                               " bytes; at most " + std::to_string(MaxWholeFileBytes) +
                               " bytes are read)");
    // Up to the size the stream has now: a file that grows meanwhile is not followed.
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    bytes.resize(bytes.empty() ? 0 : stream.Read(bytes.data(), bytes.size()));
    FBytesRead += bytes.size();
    return bytes;
}

bool TPictureBudget::ReadAt(TStream& stream, uint64_t position, uint64_t count,
                            std::vector<uint8_t>& out) {
    const uint64_t size = stream.Size();
    if (position > size || count > size - position) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    stream.Seek(position);
    const size_t got = count ? stream.Read(bytes.data(), bytes.size()) : 0;
    FBytesRead += got;
    if (got != count) return false;  // the file shrank meanwhile
    out = std::move(bytes);
    return true;
}

std::vector<uint8_t> TPictureBudget::ReadUpTo(TStream& stream, uint64_t position,
                                              uint64_t maxCount) {
    const uint64_t size = stream.Size();
    const uint64_t count = position < size ? std::min(maxCount, size - position) : 0;
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    stream.Seek(position);
    bytes.resize(count ? stream.Read(bytes.data(), bytes.size()) : 0);
    FBytesRead += bytes.size();
    return bytes;
}

void TPictureBudget::AllowImage(int64_t width, int64_t height, int64_t bytesPerPixel,
                                int64_t pixelLimit) {
    CheckPictureSize(width, height, pixelLimit);
    FBytesAllocated += uint64_t(width * height) * uint64_t(bytesPerPixel);
}

void TPictureBudget::StartWork(int64_t limit) {
    FWork = 0;
    FWorkLimit = limit;
    FSkippedSteps = 0;
}

bool TPictureBudget::ChargeWork(int64_t cost) {
    if (cost < 0 || cost > FWorkLimit - FWork) {
        ++FSkippedSteps;
        return false;
    }
    FWork += cost;
    return true;
}

}  // namespace corvane
