#pragma once
// Small picture files made by the tests themselves: bitmaps of every header and depth, icons,
// metafiles, JPEG (through libjpeg's compressor) and PNG (through libpng's writer), a scratch
// folder to put them in, and the registry filled for the whole test program.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/raster/Bitmap32.h"

namespace corvane::testing {

using ByteVec = std::vector<uint8_t>;

void Put16(ByteVec& out, uint16_t v);
void Put32(ByteVec& out, uint32_t v);
void Append(ByteVec& out, const ByteVec& more);

// A device-independent bitmap: header, masks, colour table and pixel rows as given.
struct DibSpec {
    uint32_t HeaderSize = 40;  // 12, 40, 108 or 124
    int32_t Width = 0;
    int32_t Height = 0;  // negative for top-down
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    std::vector<uint32_t> Masks;    // written after a 40-byte header, or inside a longer one
    std::vector<uint32_t> Palette;  // 0x00RRGGBB
    ByteVec Bits;                   // the pixel data exactly as stored
};
ByteVec DibBytes(const DibSpec& spec);  // header, masks, table, bits
ByteVec BmpFile(const DibSpec& spec);   // with the file header in front

// Rows of pixel bytes, each padded to 32 bits; rows given top first are stored bottom first
// unless topDown.
ByteVec PackRows(const std::vector<ByteVec>& rowsFromTop, bool topDown = false);

// progressive: libjpeg's simple progression script, with optimised Huffman tables.
ByteVec EncodeJpeg(const Bitmap32& image, bool grayscale, int quality = 95,
                   bool progressive = false);
ByteVec EncodePng(const Bitmap32& image, const std::vector<uint8_t>& alpha);
// A PNG of 16 bits per channel, RGBA, with no gamma or colour-space chunk; each 8-bit channel
// value v is stored as v * 257 (the same colour at 16 bits).
ByteVec EncodePng16(const Bitmap32& image, const std::vector<uint8_t>& alpha,
                    bool interlaced = false);

// An icon file whose entries are the given images (DIB bytes with mask, or PNG bytes).
struct IconEntrySpec {
    uint8_t Width, Height;
    uint16_t BitCount;
    ByteVec Image;
};
ByteVec IconFile(const std::vector<IconEntrySpec>& entries);

// Windows metafile records: function and 16-bit parameters; and the file around them.
ByteVec WmfRecord(uint16_t function, const std::vector<uint16_t>& params, const ByteVec& tail = {});
ByteVec WmfFile(const std::vector<ByteVec>& records, bool placeable, int16_t right = 0,
                int16_t bottom = 0, uint16_t inch = 96);
// Enhanced metafile: a record of a type with 32-bit parameters; the file with its header. The
// frame is given in pixels at 96 per inch on a reference device of 96 per inch.
ByteVec EmfRecord(uint32_t type, const std::vector<uint32_t>& params, const ByteVec& tail = {});
ByteVec EmfFile(const std::vector<ByteVec>& records, int32_t widthPx, int32_t heightPx);

// A fresh folder removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return FPath; }
    // Writes the bytes to a file of the folder and returns its full name.
    std::string Write(const std::string& name, const ByteVec& bytes) const;

private:
    std::filesystem::path FPath;
};

// A bitmap whose pixels are given row by row from the top.
Bitmap32 MakeImage(const std::vector<std::vector<Pixel>>& rows);
std::vector<std::vector<Pixel>> Rows(const Bitmap32& image);

}  // namespace corvane::testing
