#pragma once
// HEIF and AVIF files through libheif (with the HEVC and AV1 decoders Debian builds it with):
// the primary image with the transformations the file declares (rotation, mirroring, cropping)
// applied by libheif, so no EXIF turn is applied on top; 8 bits per channel, alpha kept.

#include <string>

#include "imaging/ByteReader.h"
#include "imaging/formats/PhotoBitmap.h"

namespace corvane {

// formatName names the format in the messages ("HEIF", "AVIF"): "<name> image is not valid" and
// the reason, or that no decoder for the file's codec is installed. The stated size is checked
// against the pixel limit before libheif decodes.
TDecodedPicture DecodeHeif(Bytes data, const std::string& formatName, TPictureBudget& budget);

}  // namespace corvane
