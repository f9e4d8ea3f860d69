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

TFormatInput::TFormatInput(TStream& stream, const TFormatErrors& errors)
    : FStream(stream), FErrors(errors), FStart(stream.Position()) {
    const uint64_t size = stream.Size();
    FSize = size > FStart ? size - FStart : 0;
}

std::vector<uint8_t> TFormatInput::Read(uint64_t offset, uint64_t count) const {
    if (offset > FSize || count > FSize - offset) FErrors.ReadError();
    std::vector<uint8_t> bytes = ReadUpTo(offset, count);
    if (bytes.size() != count) FErrors.ReadError();  // the file shrank meanwhile
    return bytes;
}

std::vector<uint8_t> TFormatInput::ReadUpTo(uint64_t offset, uint64_t count) const {
    if (offset >= FSize) return {};
    std::vector<uint8_t> bytes(size_t(std::min(count, FSize - offset)));
    FStream.Seek(FStart + offset);
    bytes.resize(bytes.empty() ? 0 : FStream.Read(bytes.data(), bytes.size()));
    FBytesRead += bytes.size();
    return bytes;
}

void CheckDecodable(const TFormatErrors& errors, int64_t width, int64_t height,
                    uint64_t decodedBytes, uint64_t inputBytes, uint64_t maxRatio) {
    if (width <= 0 || height <= 0) errors.Invalid();
    CheckPictureSize(width, height);
    // Both factors are far below 2^64 / 2^16, so the product cannot overflow.
    if (decodedBytes > std::min<uint64_t>(inputBytes, uint64_t(1) << 48) * maxRatio)
        errors.ReadError();
}

}  // namespace corvane
