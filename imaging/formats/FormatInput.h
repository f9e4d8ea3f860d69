#pragma once
// What the decoders of this folder share: the messages a bad file gets, with the format's name
// filled in; reads from the file through the load's budget (PictureLimits.h), each only as far
// as the format needs; and the check that stands before every allocation of pixels.
//
// The budget of a decoder: it reads only the parts of the file its format needs, and it
// allocates pixels only once the stated size is within the limit and the data at hand can
// yield them: uncompressed data must be there in full, compressed data must be large enough
// for the decoded size at the format's largest expansion per input byte (the ratios below).

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/PictureLimits.h"
#include "imaging/Stream.h"

namespace corvane {

// What the further formats' encoded data can yield at most, in decoded bytes per input byte.
// Run-length packets of two bytes or more: Photoshop repeats up to 128 values, SGI, Dr. Halo and
// Paint Shop Pro 127, Alias/Wavefront 128, PCX 63.
constexpr uint64_t MaxRunBytesPerByte = 64;
// Targa: a one-byte header and one pixel of 1 to 4 bytes stand for up to 128 pixels.
constexpr uint64_t MaxTargaRunBytesPerByte = 128;
// LZW (GIF and TIFF): a code of at least 3 (GIF) or 9 (TIFF) bits stands for at most 4096 values.
constexpr uint64_t MaxGifPixelsPerByte = 4096 * 8 / 3 + 1;
constexpr uint64_t MaxTiffLzwBytesPerByte = 4096 * 8 / 9 + 1;
// TIFF's JPEG: at least one bit per 8 x 8 block of every sample (8 x 64 x 2, generous for two
// samples per pixel on average). The rare compressions whose bound we do not derive get
// deflate's: a file that packs tighter than that is refused.
constexpr uint64_t MaxTiffJpegBytesPerByte = 1024;
constexpr uint64_t MaxTiffOtherBytesPerByte = MaxInflateBytesPerByte;

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

// Random access to the file from the stream's position at construction, read through the
// load's budget. Every read is checked against the file's size before anything is allocated
// for it.
class TFormatInput {
public:
    TFormatInput(TStream& stream, TPictureBudget& budget, const TFormatErrors& errors);

    uint64_t Size() const { return FSize; }
    const TFormatErrors& Errors() const { return FErrors; }
    TPictureBudget& Budget() const { return FBudget; }
    // count bytes at offset; the format's read error when the file ends before them.
    std::vector<uint8_t> Read(uint64_t offset, uint64_t count) const;
    // Up to count bytes at offset, as many as the file has.
    std::vector<uint8_t> ReadUpTo(uint64_t offset, uint64_t count) const;

    // Width and height positive (the format's invalid-file error) and within the size limit
    // (EPictureTooLarge), and decodedBytes no more than inputBytes can yield at maxRatio
    // decoded bytes per input byte (the format's read error).
    void CheckData(int64_t width, int64_t height, uint64_t decodedBytes, uint64_t inputBytes,
                   uint64_t maxRatio) const;
    void CheckSize(int64_t width, int64_t height) const { CheckData(width, height, 0, 0, 1); }
    // CheckData, then the budget's count of the 32-bit pixels about to be allocated: the last
    // step before a picture's bitmap is made.
    void AllowImage(int64_t width, int64_t height, uint64_t decodedBytes, uint64_t inputBytes,
                    uint64_t maxRatio) const;

private:
    TStream& FStream;
    TPictureBudget& FBudget;
    const TFormatErrors& FErrors;
    uint64_t FStart;
    uint64_t FSize;
};

inline uint16_t Be16(const uint8_t* p) {
    return uint16_t(p[0] << 8 | p[1]);
}
inline uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// A sample of 0 to maxValue scaled to 0 to 255 (values above maxValue count as maxValue).
inline uint8_t ScaleToByte(uint32_t value, uint32_t maxValue) {
    if (maxValue == 0) return 0;
    if (value >= maxValue) return 255;
    return uint8_t((uint64_t(value) * 255 + maxValue / 2) / maxValue);
}

}  // namespace corvane
