#include "imaging/PngCodec.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "imaging/ImagingErrors.h"

namespace corvane {

namespace {
const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// The bits of one pixel as stored, by colour type (gray, -, RGB, palette, gray + alpha, -, RGBA);
// 0 for a combination the format does not have.
uint64_t StoredBitsPerPixel(uint8_t colourType, uint8_t bitDepth) {
    static const uint8_t channels[7] = {1, 0, 3, 1, 2, 0, 4};
    if (colourType > 6 || channels[colourType] == 0) return 0;
    return uint64_t(channels[colourType]) * bitDepth;
}

// The sum of the lengths of the IDAT chunks: the compressed image data. Stops at the first chunk
// that does not fit.
uint64_t ImageDataBytes(Bytes data) {
    uint64_t total = 0;
    for (uint64_t at = 8; InRange(data, at, 12);) {
        const uint64_t length = Be32(data.data() + at);
        if (!InRange(data, at + 8, length)) break;
        if (std::memcmp(data.data() + at + 4, "IDAT", 4) == 0) total += length;
        at += 12 + length;
    }
    return total;
}

struct Source {
    const uint8_t* Data;
    size_t Size;
    size_t Position;
    std::jmp_buf* Jump;
    char Error[128];  // libpng's last error, copied: its own text may live in the frame left
};

Source* SourceOf(png_structp png) {
    return static_cast<Source*>(png_get_error_ptr(png));
}

void ReadFromSource(png_structp png, png_bytep out, size_t count) {
    Source* source = SourceOf(png);
    if (count > source->Size - source->Position) png_error(png, "data ends early");
    std::memcpy(out, source->Data + source->Position, count);
    source->Position += count;
}

// libpng reports a fatal error by calling this, which must not return: it jumps back to
// DecodeInto, in whose frame no C++ object with a destructor lives.
void ErrorExit(png_structp png, png_const_charp message) {
    Source* source = SourceOf(png);
    std::snprintf(source->Error, sizeof source->Error, "%s", message ? message : "");
    std::longjmp(*source->Jump, 1);
}
void Warning(png_structp, png_const_charp) {}

// Decodes into image, which already has the picture's size, as blue, green, red and alpha bytes
// per pixel. Every depth and colour type becomes 8 bits per channel by plain scaling: no gamma
// conversion, whatever the file states, so 16-bit data looks as 8-bit data of the same picture.
// True on success; else error holds libpng's message.
bool DecodeInto(const uint8_t* data, size_t size, Bitmap32* image, std::string* error) {
    std::jmp_buf jump;
    Source source{data, size, 0, &jump, {}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, ErrorExit, Warning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(jump)) {
        png_destroy_read_struct(&png, &info, nullptr);
        *error = source.Error;
        return false;
    }
    png_set_read_fn(png, nullptr, ReadFromSource);
    png_read_info(png, info);
    if (png_get_image_width(png, info) != png_uint_32(image->Width()) ||
        png_get_image_height(png, info) != png_uint_32(image->Height()))
        png_error(png, "size differs");
    png_set_expand(png);  // palette to RGB, gray below 8 bits to 8, transparency to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // only where there is no alpha yet
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(image->Width()) * 4) png_error(png, "row size");
    // Interlaced passes fill in the rows they touch and keep the rest.
    for (int pass = 0; pass < passes; ++pass)
        for (int32_t y = 0; y < image->Height(); ++y)
            png_read_row(png, reinterpret_cast<png_bytep>(image->Scanline(y)), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
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

PngImage DecodePng(Bytes data, const std::string& invalidMessage, TPictureBudget& budget,
                   bool explain) {
    auto refuse = [&](const std::string& reason) {
        throw EInvalidGraphic(explain && !reason.empty() ? invalidMessage + ": " + reason
                                                         : invalidMessage);
    };
    int32_t width = 0, height = 0;
    if (!ReadPngSize(data, width, height) || data.size() < 26)
        refuse(IsPng(data) ? "no valid image header" : "not a PNG file");
    CheckPictureSize(width, height);
    // The image data inflates to at least the stored bits of every pixel; a stream too short to
    // yield them is refused before the pixels are allocated.
    const uint64_t bits = StoredBitsPerPixel(data[25], data[24]);
    const uint64_t storedBytes = (uint64_t(width) * uint64_t(height) * bits + 7) / 8;
    if (bits == 0) refuse("invalid colour type or bit depth");
    if (!DataCanYield(ImageDataBytes(data), storedBytes, MaxInflateBytesPerByte))
        refuse("the image data is too short for " + std::to_string(width) + " x " +
               std::to_string(height) + " pixels (the file is cut short or damaged)");

    budget.AllowImage(width, height, 5);
    PngImage out;
    out.Image = Bitmap32(width, height);
    std::string error;
    if (!DecodeInto(data.data(), data.size(), &out.Image, &error)) refuse(error);
    // The fourth byte of each pixel holds the opacity: moved out, the pixel keeps its colour.
    out.Alpha.resize(size_t(width) * size_t(height));
    for (int32_t y = 0; y < height; ++y) {
        Pixel* line = out.Image.Scanline(y);
        uint8_t* alpha = out.Alpha.data() + size_t(y) * size_t(width);
        for (int32_t x = 0; x < width; ++x) {
            alpha[x] = uint8_t(line[x] >> 24);
            line[x] &= 0xFFFFFF;
        }
    }
    return out;
}

}  // namespace corvane
