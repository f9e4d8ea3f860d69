#pragma once
// The JPEG decoding this program does through libjpeg: the header alone for the size, and the
// full decode at scale 1/1 with the accurate integer transform and block smoothing, into RGB or,
// when asked, quantised to 236 colours by libjpeg's two-pass quantiser with its default
// dithering. libjpeg's fatal errors become EJPEG with libjpeg's message code; its warnings and
// trace messages are dropped. A decode stops after MaxJpegScans scans with libjpeg's code for a
// bad scan sequence.

#include "imaging/ByteReader.h"
#include "platform/raster/Bitmap32.h"

namespace corvane {

struct JpegHeader {
    int32_t Width = 0;
    int32_t Height = 0;
    bool Grayscale = false;
    uint64_t LargestComponentBlocks = 0;  // 8 x 8 blocks of the component that has most
    uint64_t ScanBytes = 0;               // bytes from the first scan to the end
    int Orientation = 1;                  // the EXIF Orientation of the APP1 segment
};

// Refuses a size past the picture limit, and one that the scan data cannot cover (see
// PictureLimits.h) as "JPEG error #%d" with libjpeg's code for input that ends early.
JpegHeader ReadJpegHeader(Bytes data);
// Throws EPictureTooLarge before decoding a picture that exceeds the size limit.
Bitmap32 DecodeJpeg(Bytes data, bool quantize);

}  // namespace corvane
