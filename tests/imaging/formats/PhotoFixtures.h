#pragma once
// Files of today's photo formats made by the tests with the libraries' own encoders (libpng,
// libwebp and its muxer, libheif with its HEVC and AV1 encoders, libjpeg), and EXIF blocks
// written by the tests, for the orientation of every format that carries one.

#include <optional>
#include <vector>

#include "tests/imaging/ImagingFixtures.h"

namespace corvane::testing {

// An EXIF body (TIFF structure) whose first directory holds a tag before the Orientation, in
// either byte order; with the "Exif\0\0" header JPEG's APP1 puts in front when asked.
ByteVec ExifBlock(int orientation, bool bigEndian = false, bool withHeader = false);

// A baseline JPEG (libjpeg's compressor) with an APP1 EXIF segment carrying the orientation.
ByteVec EncodeJpegWithExif(const Bitmap32& image, int orientation, int quality = 95);

struct PngOptions {
    int ColourType = 2;  // libpng's: 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
    int BitDepth = 8;
    std::optional<int> Orientation;  // written as an eXIf chunk
};
// The image's colours (grey from the green channel for the grey types, a palette of the
// distinct colours for palette files) and, for the types with alpha, the opacities given.
ByteVec EncodePngOf(const Bitmap32& image, const std::vector<uint8_t>& alpha,
                    const PngOptions& options);

struct WebPOptions {
    bool Lossless = true;
    int Quality = 90;
    std::optional<int> Orientation;  // written as an EXIF chunk
    int AnimationFrames = 0;         // 2 or more: an animation whose first frame is the image
};
ByteVec EncodeWebP(const Bitmap32& image, const std::vector<uint8_t>& alpha,
                   const WebPOptions& options);

// HEIC (HEVC) or AVIF (AV1) through libheif's encoders, lossy at a high quality; orientation
// becomes the file's own turn (irot / imir boxes).
ByteVec EncodeHeif(const Bitmap32& image, bool avif, int orientation = 1, bool alpha = false);

// A picture of cols x rows blocks of block x block pixels, each block one of six distinct
// colours (A, B, C in the top row, D, E, F in the next, for 3 x 2); for lossy formats the
// blocks keep their colour in their middle. The six colours repeat from the seventh block on.
Bitmap32 BlockPicture(int cols, int rows, int block);
Pixel BlockColour(char letter);  // 'A' to 'F'
// The block letters of a picture made of such blocks, read at the middle of each block, or '?'
// where a colour is none of the six (within tolerance).
std::vector<std::string> BlockLetters(const Bitmap32& picture, int block, int tolerance);

}  // namespace corvane::testing
