#pragma once
// Writers for the tools' output: 24-bit Windows bitmaps, PNG, and YUV4MPEG2 streams; JPEG and
// WebP for the sample pictures.

#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/raster/Bitmap32.h"

namespace corvane {

class EWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the bitmap by the file name's extension (".bmp", ".png", ".jpg", ".jpeg" or ".webp", any
// case) through a temporary file in the same folder renamed into place, so that a failure leaves nothing
// behind. Raises EWriteError naming the file and the reason.
void WritePictureFile(const Bitmap32& bitmap, const std::string& fileName);
// Whether the name ends in .bmp or .png, the two kinds the render tool writes.
bool IsWritablePictureName(const std::string& fileName);
// The same, or .jpg / .jpeg / .webp, which the sample pictures also come as.
bool IsWritableSampleName(const std::string& fileName);

// Encodes into an open stream (for tests and for the writer above).
void WriteBmp24(const Bitmap32& bitmap, std::FILE* out);
void WritePng(const Bitmap32& bitmap, std::FILE* out);
void WriteJpeg(const Bitmap32& bitmap, std::FILE* out, int quality);
void WriteWebp(const Bitmap32& bitmap, std::FILE* out, int quality);  // lossy

// A YUV4MPEG2 stream (4:2:0, full-range BT.601 as JPEG uses), one frame at a time.
class TY4mWriter {
public:
    TY4mWriter(std::FILE* out, int32_t width, int32_t height, int fpsNumerator,
               int fpsDenominator);
    void WriteFrame(const Bitmap32& frame);

private:
    std::FILE* FOut;
    int32_t FWidth, FHeight;
};

}  // namespace corvane
