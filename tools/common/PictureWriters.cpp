#include "tools/common/PictureWriters.h"

#include <jpeglib.h>
#include <webp/encode.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace corvane {

namespace {

std::string LowerExtension(const std::string& fileName) {
    std::string ext = std::filesystem::path(fileName).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// Row y of the bitmap as red, green and blue bytes, the order libjpeg and libpng take.
void RgbRow(const Bitmap32& bitmap, int32_t y, uint8_t* row) {
    const Pixel* p = bitmap.Scanline(y);
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
        row[3 * size_t(x)] = PixelRed(p[x]);
        row[3 * size_t(x) + 1] = PixelGreen(p[x]);
        row[3 * size_t(x) + 2] = PixelBlue(p[x]);
    }
}

void WriteAll(const void* data, size_t size, std::FILE* out) {
    if (size && std::fwrite(data, 1, size, out) != size)
        throw EWriteError(std::strerror(errno ? errno : EIO));
}

}  // namespace

bool IsWritablePictureName(const std::string& fileName) {
    const std::string ext = LowerExtension(fileName);
    return ext == ".bmp" || ext == ".png";
}

bool IsWritableSampleName(const std::string& fileName) {
    const std::string ext = LowerExtension(fileName);
    return IsWritablePictureName(fileName) || ext == ".jpg" || ext == ".jpeg" || ext == ".webp";
}

namespace {
// libjpeg reports fatal errors through this handler, which must not return.
[[noreturn]] void ThrowJpegError(j_common_ptr cinfo) {
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    throw EWriteError(std::string("JPEG encoder: ") + message);
}
}  // namespace

void WriteJpeg(const Bitmap32& bitmap, std::FILE* out, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jerr.error_exit = ThrowJpegError;
    struct Cleanup {
        jpeg_compress_struct& Info;
        ~Cleanup() { jpeg_destroy_compress(&Info); }
    };
    jpeg_create_compress(&cinfo);
    Cleanup cleanup{cinfo};
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = JDIMENSION(bitmap.Width());
    cinfo.image_height = JDIMENSION(bitmap.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(bitmap.Width()) * 3);
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        RgbRow(bitmap, y, row.data());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
}

void WriteBmp24(const Bitmap32& bitmap, std::FILE* out) {
    const uint32_t w = uint32_t(bitmap.Width()), h = uint32_t(bitmap.Height());
    const uint32_t rowBytes = (w * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * h;
    std::vector<uint8_t> header;
    header.reserve(54);
    Put16(header, 0x4D42);  // "BM"
    Put32(header, 54 + imageBytes);
    Put32(header, 0);
    Put32(header, 54);
    Put32(header, 40);
    Put32(header, w);
    Put32(header, h);  // positive: rows bottom-up
    Put16(header, 1);
    Put16(header, 24);
    Put32(header, 0);  // no compression
    Put32(header, imageBytes);
    Put32(header, 2835);  // 72 dots per inch
    Put32(header, 2835);
    Put32(header, 0);
    Put32(header, 0);
    WriteAll(header.data(), header.size(), out);
    std::vector<uint8_t> row(rowBytes, 0);
    for (int32_t y = int32_t(h) - 1; y >= 0; --y) {
        const Pixel* p = bitmap.Scanline(y);
        for (uint32_t x = 0; x < w; ++x) {
            row[3 * x] = PixelBlue(p[x]);
            row[3 * x + 1] = PixelGreen(p[x]);
            row[3 * x + 2] = PixelRed(p[x]);
        }
        WriteAll(row.data(), row.size(), out);
    }
}

void WritePng(const Bitmap32& bitmap, std::FILE* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) throw EWriteError("cannot start the PNG encoder");
    png_infop info = png_create_info_struct(png);
    struct Cleanup {
        png_structp& Png;
        png_infop& Info;
        ~Cleanup() { png_destroy_write_struct(&Png, &Info); }
    } cleanup{png, info};
    if (!info) throw EWriteError("cannot start the PNG encoder");
    std::vector<uint8_t> row(size_t(bitmap.Width()) * 3);
    // libpng reports errors by a long jump back here; nothing with a destructor is created
    // between this point and the calls that may jump.
    if (setjmp(png_jmpbuf(png))) throw EWriteError(std::strerror(errno ? errno : EIO));
    png_init_io(png, out);
    png_set_IHDR(png, info, uint32_t(bitmap.Width()), uint32_t(bitmap.Height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 3);
    png_write_info(png, info);
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        RgbRow(bitmap, y, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
}

void WriteWebp(const Bitmap32& bitmap, std::FILE* out, int quality) {
    std::vector<uint8_t> rgb(size_t(bitmap.Width()) * size_t(bitmap.Height()) * 3);
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        RgbRow(bitmap, y, rgb.data() + size_t(y) * size_t(bitmap.Width()) * 3);
    uint8_t* encoded = nullptr;
    const size_t size = WebPEncodeRGB(rgb.data(), bitmap.Width(), bitmap.Height(),
                                      bitmap.Width() * 3, float(quality), &encoded);
    if (size == 0) throw EWriteError("libwebp cannot encode the picture");
    try {
        WriteAll(encoded, size, out);
    } catch (...) {
        WebPFree(encoded);
        throw;
    }
    WebPFree(encoded);
}

void WritePictureFile(const Bitmap32& bitmap, const std::string& fileName) {
    const std::string ext = LowerExtension(fileName);
    if (!IsWritableSampleName(fileName))
        throw EWriteError(fileName +
                          ": cannot write pictures of this kind (use .bmp, .png, .jpg or .webp)");
    if (bitmap.Empty()) throw EWriteError(fileName + ": the picture is empty");
    std::filesystem::path target(fileName);
    std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    // Built by appending: prepending a literal to a temporary string makes GCC 12 at -O3 see an
    // overlapping copy (-Wrestrict) inside the string's insert.
    std::string name = ".";
    name += target.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) throw EWriteError(fileName + ": " + std::strerror(errno));
    std::FILE* out = fdopen(fd, "wb");
    if (!out) {
        int err = errno;
        close(fd);
        unlink(temp.data());
        throw EWriteError(fileName + ": " + std::strerror(err));
    }
    try {
        errno = 0;
        if (ext == ".bmp")
            WriteBmp24(bitmap, out);
        else if (ext == ".png")
            WritePng(bitmap, out);
        else if (ext == ".webp")
            WriteWebp(bitmap, out, 90);
        else
            WriteJpeg(bitmap, out, 90);
        if (std::fflush(out) != 0) throw EWriteError(std::strerror(errno));
        if (fsync(fileno(out)) != 0 && errno != EINVAL) throw EWriteError(std::strerror(errno));
    } catch (const EWriteError& e) {
        std::fclose(out);
        unlink(temp.data());
        throw EWriteError(fileName + ": " + e.what());
    }
    if (std::fclose(out) != 0) {
        int err = errno;
        unlink(temp.data());
        throw EWriteError(fileName + ": " + std::strerror(err));
    }
    // mkstemp creates the file readable by its owner only; give it the usual permissions.
    {
        mode_t mask = umask(0);
        umask(mask);
        chmod(temp.data(), 0666 & ~mask);
    }
    if (std::rename(temp.data(), fileName.c_str()) != 0) {
        int err = errno;
        unlink(temp.data());
        throw EWriteError(fileName + ": " + std::strerror(err));
    }
}

TY4mWriter::TY4mWriter(std::FILE* out, int32_t width, int32_t height, int fpsNumerator,
                       int fpsDenominator)
    : FOut(out), FWidth(width), FHeight(height) {
    std::string header = "YUV4MPEG2 W" + std::to_string(width) + " H" + std::to_string(height) +
                         " F" + std::to_string(fpsNumerator) + ":" +
                         std::to_string(fpsDenominator) + " Ip A1:1 C420jpeg XCOLORRANGE=FULL\n";
    WriteAll(header.data(), header.size(), FOut);
}

void TY4mWriter::WriteFrame(const Bitmap32& frame) {
    static const char kFrame[] = "FRAME\n";
    WriteAll(kFrame, sizeof kFrame - 1, FOut);
    const int32_t w = FWidth, h = FHeight, cw = (w + 1) / 2, ch = (h + 1) / 2;
    std::vector<uint8_t> yPlane(size_t(w) * h), uPlane(size_t(cw) * ch), vPlane(size_t(cw) * ch);
    std::vector<int32_t> uSum(size_t(cw) * ch, 0), vSum(size_t(cw) * ch, 0), count(size_t(cw) * ch, 0);
    for (int32_t y = 0; y < h; ++y) {
        const Pixel* p = frame.Scanline(y);
        for (int32_t x = 0; x < w; ++x) {
            const int r = PixelRed(p[x]), g = PixelGreen(p[x]), b = PixelBlue(p[x]);
            // Full-range BT.601 in fixed point (16 fractional bits).
            const int luma = (19595 * r + 38470 * g + 7471 * b + 32768) >> 16;
            const int cb = ((-11056 * r - 21712 * g + 32768 * b + 32768) >> 16) + 128;
            const int cr = ((32768 * r - 27440 * g - 5328 * b + 32768) >> 16) + 128;
            yPlane[size_t(y) * w + x] = uint8_t(std::clamp(luma, 0, 255));
            const size_t c = size_t(y / 2) * cw + size_t(x / 2);
            uSum[c] += cb;
            vSum[c] += cr;
            ++count[c];
        }
    }
    for (size_t c = 0; c < uSum.size(); ++c) {
        uPlane[c] = uint8_t(std::clamp((uSum[c] + count[c] / 2) / count[c], 0, 255));
        vPlane[c] = uint8_t(std::clamp((vSum[c] + count[c] / 2) / count[c], 0, 255));
    }
    WriteAll(yPlane.data(), yPlane.size(), FOut);
    WriteAll(uPlane.data(), uPlane.size(), FOut);
    WriteAll(vPlane.data(), vPlane.size(), FOut);
}

}  // namespace corvane
