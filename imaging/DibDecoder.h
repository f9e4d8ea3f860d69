#pragma once
// Decodes a Windows device-independent bitmap into 32-bit pixels: the info block (a
// BITMAPCOREHEADER, or a BITMAPINFOHEADER or one of its longer successors, with bit-field masks
// and colour table) and the pixel data, as they occur in bitmap files, icon entries and metafile
// records. 1, 4, 8, 16, 24 and 32 bits per pixel; uncompressed, RLE8, RLE4 and bit fields;
// bottom-up and top-down rows. Pixels an RLE stream leaves unset are black.
//
// Everything is validated before pixels are allocated, and the pixels are allocated only once the
// data for them is known to be there: uncompressed rows exactly, run-length data by what its
// bytes can yield (see PictureLimits.h). Bad data throws EInvalidGraphic with the caller's
// message, too large a size throws EPictureTooLarge.

#include <optional>
#include <string>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/PictureLimits.h"
#include "platform/raster/Bitmap32.h"

namespace corvane {

struct DibOptions {
    std::string InvalidMessage;
    // The header states twice the picture's height (an icon's colour image and its mask).
    bool DoubleHeight = false;
    // Keep the fourth byte of 32-bit uncompressed pixels as alpha values.
    bool WantAlpha = false;
    // An AND mask (one bit per pixel, rows padded to 32 bits) follows the pixel data. Below 32
    // bits per pixel every icon needs it, so its bytes must be there before pixels are
    // allocated; at 32 bits it is needed only when the image has no alpha values.
    bool MaskFollows = false;
};

struct DibImage {
    Bitmap32 Image;              // bottom-up
    std::vector<uint8_t> Alpha;  // per pixel, rows from the top; only with WantAlpha and 32 bits
    int BitCount = 0;
    bool TopDown = false;  // rows were stored top-down
    size_t BitsEnd = 0;    // offset just past the pixel data in the bits block
    Bytes Bits;            // the bits block the pixels were read from
};

// The size and depth a DIB header states, read without decoding (height already halved for
// DoubleHeight). Throws like DecodeDib on a malformed header.
struct DibInfo {
    int32_t Width = 0;
    int32_t Height = 0;
    int BitCount = 0;
    bool RunLength = false;     // RLE8 or RLE4
    size_t HeadersEnd = 0;      // offset in info past the header, its masks and the colours used
    size_t TableEnd = 0;        // offset in info past the whole colour table
    uint64_t BitsSize = 0;      // uncompressed: the exact size of the pixel data
    uint64_t MostBitsSize = 0;  // run-length: the most pixel data a writer can need
};
DibInfo ReadDibInfo(Bytes info, const DibOptions& options);

// info holds the header and colour table; bits the pixel data, or nothing when the pixels follow
// the colour table inside info. The pixels are allocated through the budget.
DibImage DecodeDib(Bytes info, std::optional<Bytes> bits, const DibOptions& options,
                   TPictureBudget& budget);

}  // namespace corvane
