#include "imaging/PngCodec.h"

#include <png.h>

#include <cstring>

#include "imaging/ImagingErrors.h"
#include "imaging/PictureLimits.h"

namespace corvane {

namespace {
const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
}  // namespace

bool IsPng(Bytes data) {
    return data.size() >= 8 && std::memcmp(data.data(), Signature, 8) == 0;
}

bool ReadPngSize(Bytes data, int32_t& width, int32_t& height) {
    // The signature, then the IHDR chunk: length, "IHDR", width, height.
    if (!IsPng(data) || data.size() < 24 || std::memcmp(data.data() + 12, "IHDR", 4) != 0)
        return false;
    const uint32_t w = Be32(data.data() + 16), h = Be32(data.data() + 20);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
    width = int32_t(w);
    height = int32_t(h);
    return true;
}

PngImage DecodePng(Bytes data, const std::string& invalidMessage) {
    int32_t width = 0, height = 0;
    if (!ReadPngSize(data, width, height)) throw EInvalidGraphic(invalidMessage);
    CheckPictureSize(width, height);

    // libpng's simplified reader handles its own errors and reports them by its return value.
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
        throw EInvalidGraphic(invalidMessage);
    if (int64_t(image.width) != width || int64_t(image.height) != height) {
        png_image_free(&image);
        throw EInvalidGraphic(invalidMessage);
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        throw EInvalidGraphic(invalidMessage);
    }
    PngImage out;
    out.Image = Bitmap32(width, height);
    out.Alpha.resize(size_t(width) * size_t(height));
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = pixels.data() + size_t(y) * size_t(width) * 4;
        Pixel* line = out.Image.Scanline(y);
        for (int32_t x = 0; x < width; ++x) {
            line[x] = MakePixel(in[4 * x + 2], in[4 * x + 1], in[4 * x]);
            out.Alpha[size_t(y) * size_t(width) + size_t(x)] = in[4 * x + 3];
        }
    }
    return out;
}

}  // namespace corvane
