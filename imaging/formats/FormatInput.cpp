#include "imaging/formats/FormatInput.h"

#include <algorithm>

#include "imaging/ImagingErrors.h"
#include "imaging/PictureLimits.h"

namespace corvane {

void TFormatErrors::Invalid() const {
    throw EInvalidGraphic("Cannot load image. Invalid or unexpected " + FName + " image format.");
}

void TFormatErrors::ReadError() const {
    throw EInvalidGraphic("Stream read error in " + FName + " file.");
}

void TFormatErrors::NotSupported(const std::string& what) const {
    throw EInvalidGraphic("Cannot load image. " + what + " not supported for " + FName + " files.");
}

void TFormatErrors::InvalidColor() const {
    throw EInvalidGraphic("Invalid color format in " + FName + " file.");
}

TFormatInput::TFormatInput(TStream& stream, TPictureBudget& budget, const TFormatErrors& errors)
    : FStream(stream), FBudget(budget), FErrors(errors), FStart(stream.Position()) {
    const uint64_t size = stream.Size();
    FSize = size > FStart ? size - FStart : 0;
}

std::vector<uint8_t> TFormatInput::Read(uint64_t offset, uint64_t count) const {
    std::vector<uint8_t> bytes;
    if (offset > FSize || !FBudget.ReadAt(FStream, FStart + offset, count, bytes))
        FErrors.ReadError();
    return bytes;
}

std::vector<uint8_t> TFormatInput::ReadUpTo(uint64_t offset, uint64_t count) const {
    if (offset >= FSize) return {};
    return FBudget.ReadUpTo(FStream, FStart + offset, count);
}

void TFormatInput::CheckData(int64_t width, int64_t height, uint64_t decodedBytes,
                             uint64_t inputBytes, uint64_t maxRatio) const {
    if (width <= 0 || height <= 0) FErrors.Invalid();
    CheckPictureSize(width, height);
    if (!DataCanYield(inputBytes, decodedBytes, maxRatio)) FErrors.ReadError();
}

void TFormatInput::AllowImage(int64_t width, int64_t height, uint64_t decodedBytes,
                              uint64_t inputBytes, uint64_t maxRatio) const {
    CheckData(width, height, decodedBytes, inputBytes, maxRatio);
    FBudget.AllowImage(width, height);
}

}  // namespace corvane
