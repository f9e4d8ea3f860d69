#pragma once
// The orientation of a picture as its file records it: cameras and phones store the pixels as
// the sensor read them and record in the EXIF (TIFF) Orientation tag how to turn them upright.
// The values are the tag's: 1 as stored, 2 mirrored left to right, 3 turned half round, 4
// mirrored top to bottom, 5 mirrored along the main diagonal, 6 turned a quarter clockwise, 7
// mirrored along the other diagonal, 8 turned a quarter anticlockwise. 5 to 8 swap width and
// height. A tag that is missing, or holds anything but 1 to 8, means as stored.
//
// The reader walks the TIFF structure by offsets from untrusted bytes: every offset and count is
// checked against the data before it is read. The turn is applied once, when a picture is
// loaded, so that everything above the loader sees the upright picture only.

#include <cstdint>
#include <vector>

#include "imaging/ByteReader.h"
#include "platform/raster/Bitmap32.h"

namespace corvane {

constexpr int OrientationAsStored = 1;

// The Orientation tag (274) of the first image directory of TIFF-structured data (a TIFF file,
// or the body of an EXIF block): the byte-order mark "II" or "MM", 42, the directory's offset.
int ReadTiffOrientation(Bytes tiff);
// The same from an EXIF block as picture files carry it, with or without the "Exif\0\0" header
// that JPEG's APP1 segment puts in front.
int ReadExifOrientation(Bytes exif);

// Whether the upright picture has width and height swapped.
constexpr bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// The upright picture of a stored one, and its per-pixel opacities (one byte per pixel, rows
// from the top; empty for an opaque picture). The turn makes one new bitmap; orientation 1 (or
// any value outside 2 to 8) returns the stored picture unchanged.
Bitmap32 TurnUpright(Bitmap32 stored, int orientation);
std::vector<uint8_t> TurnUprightAlpha(std::vector<uint8_t> alpha, int32_t storedWidth,
                                      int32_t storedHeight, int orientation);

}  // namespace corvane
