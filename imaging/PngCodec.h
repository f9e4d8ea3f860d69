#pragma once
// PNG decoding through libpng, for icon entries: any PNG becomes 32-bit pixels and an opacity per
// pixel, 8 bits per channel scaled down from 16 where need be, without gamma conversion. The
// size is checked against the picture limit, and the image data against what it can inflate to,
// before pixels are allocated.

#include <string>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/PictureLimits.h"
#include "platform/raster/Bitmap32.h"

namespace corvane {

struct PngImage {
    Bitmap32 Image;              // bottom-up
    std::vector<uint8_t> Alpha;  // rows from the top
};

bool IsPng(Bytes data);
// The size in the PNG's header; false when the header is not there.
bool ReadPngSize(Bytes data, int32_t& width, int32_t& height);
// Throws EInvalidGraphic(invalidMessage) when libpng cannot read the data; with explain, the
// message goes on with the reason (": " and libpng's own words, or what our checks found).
PngImage DecodePng(Bytes data, const std::string& invalidMessage, TPictureBudget& budget,
                   bool explain = false);

}  // namespace corvane
