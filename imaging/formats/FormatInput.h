#pragma once
// What the decoders of this folder share: the messages a bad file gets, with the format's name
// filled in; checked reads from the file, each only as far as the format needs; and the check
// that stands before every allocation of pixels.
//
// The budget of a decoder: it reads only the parts of the file its format needs, and it
// allocates pixels only once the stated size is within the limit and the data at hand can
// yield them: uncompressed data must be there in full, compressed data must be large enough
// for the decoded size at the format's largest expansion per input byte.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/Stream.h"

namespace corvane {

class TFormatErrors {
  public:
    explicit TFormatErrors(std::string name) : FName(std::move(name)) {}
    const std::string& Name() const { return FName; }

    // "Cannot load image. Invalid or unexpected %s image format."
    [[noreturn]] void Invalid() const;
    // "Stream read error in %s file." (the data ends before the picture does)
    [[noreturn]] void ReadError() const;
    // "Cannot load image. %s not supported for %s files."
    [[noreturn]] void NotSupported(const std::string& what) const;
    // "Invalid color format in %s file."
    [[noreturn]] void InvalidColor() const;

  private:
    std::string FName;
};

// Random access to the file from the stream's position at construction. Every read is checked
// against the file's size before anything is allocated for it.
class TFormatInput {
  public:
    TFormatInput(TStream& stream, const TFormatErrors& errors);

    uint64_t Size() const { return FSize; }
    const TFormatErrors& Errors() const { return FErrors; }
    // count bytes at offset; the format's read error when the file ends before them.
    std::vector<uint8_t> Read(uint64_t offset, uint64_t count) const;
    // Up to count bytes at offset, as many as the file has.
    std::vector<uint8_t> ReadUpTo(uint64_t offset, uint64_t count) const;
    // Everything from offset to the end, but no more than limit bytes.
    std::vector<uint8_t> ReadRest(uint64_t offset, uint64_t limit) const {
        return ReadUpTo(offset, limit);
    }
    // Bytes read so far.
    uint64_t BytesRead() const { return FBytesRead; }

  private:
    TStream& FStream;
    const TFormatErrors& FErrors;
    uint64_t FStart;
    uint64_t FSize;
    mutable uint64_t FBytesRead = 0;
};

// The check before pixels are allocated: width and height positive and within the size limit
// (EPictureTooLarge), and decodedBytes no more than inputBytes can yield at maxRatio decoded
// bytes per input byte (the format's read error otherwise).
void CheckDecodable(const TFormatErrors& errors, int64_t width, int64_t height,
                    uint64_t decodedBytes, uint64_t inputBytes, uint64_t maxRatio);

inline uint16_t Be16(const uint8_t* p) {
    return uint16_t(p[0] << 8 | p[1]);
}
inline uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// A colour channel of bits width (1 to 16) widened or narrowed to 8 bits.
inline uint8_t ScaleToByte(uint32_t value, uint32_t maxValue) {
    if (maxValue == 0) return 0;
    if (value >= maxValue) return 255;
    return uint8_t((uint64_t(value) * 255 + maxValue / 2) / maxValue);
}

}  // namespace corvane
