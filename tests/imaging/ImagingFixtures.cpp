#include "tests/imaging/ImagingFixtures.h"

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "imaging/PictureFormats.h"

namespace corvane::testing {

namespace {
// The whole test program runs with the registry as the program's start-up fills it.
class RegistryEnvironment : public ::testing::Environment {
public:
    void SetUp() override { RegisterPictureFormats(); }
    void TearDown() override { UnregisterPictureFormats(); }
};
[[maybe_unused]] auto* const Registry =
    ::testing::AddGlobalTestEnvironment(new RegistryEnvironment);
}  // namespace

void Put16(ByteVec& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(ByteVec& out, uint32_t v) {
    Put16(out, uint16_t(v));
    Put16(out, uint16_t(v >> 16));
}
void Append(ByteVec& out, const ByteVec& more) {
    out.insert(out.end(), more.begin(), more.end());
}

namespace {
ByteVec DibHeaderAndTable(const DibSpec& s) {
    ByteVec out;
    if (s.HeaderSize == 12) {
        Put32(out, 12);
        Put16(out, uint16_t(s.Width));
        Put16(out, uint16_t(s.Height));
        Put16(out, 1);
        Put16(out, s.BitCount);
        for (uint32_t c : s.Palette) {  // three bytes per entry
            out.push_back(uint8_t(c));
            out.push_back(uint8_t(c >> 8));
            out.push_back(uint8_t(c >> 16));
        }
        return out;
    }
    Put32(out, s.HeaderSize);
    Put32(out, uint32_t(s.Width));
    Put32(out, uint32_t(s.Height));
    Put16(out, 1);
    Put16(out, s.BitCount);
    Put32(out, s.Compression);
    Put32(out, uint32_t(s.Bits.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, uint32_t(s.Palette.size()));
    Put32(out, 0);
    if (s.HeaderSize > 40) {
        for (size_t i = 0; i < 4; ++i) Put32(out, i < s.Masks.size() ? s.Masks[i] : 0);
        out.resize(s.HeaderSize, 0);  // colour space fields of the V4 and V5 headers
    } else {
        for (uint32_t m : s.Masks) Put32(out, m);
    }
    for (uint32_t c : s.Palette) Put32(out, c);
    return out;
}
}  // namespace

ByteVec DibBytes(const DibSpec& spec) {
    ByteVec out = DibHeaderAndTable(spec);
    Append(out, spec.Bits);
    return out;
}

ByteVec BmpFile(const DibSpec& spec) {
    const ByteVec info = DibHeaderAndTable(spec);
    ByteVec out;
    Put16(out, 0x4D42);
    Put32(out, uint32_t(14 + info.size() + spec.Bits.size()));
    Put32(out, 0);
    Put32(out, uint32_t(14 + info.size()));
    Append(out, info);
    Append(out, spec.Bits);
    return out;
}

ByteVec PackRows(const std::vector<ByteVec>& rowsFromTop, bool topDown) {
    ByteVec out;
    for (size_t i = 0; i < rowsFromTop.size(); ++i) {
        const ByteVec& row = rowsFromTop[topDown ? i : rowsFromTop.size() - 1 - i];
        Append(out, row);
        out.resize((out.size() + 3) / 4 * 4, 0);
    }
    return out;
}

ByteVec EncodeJpeg(const Bitmap32& image, bool grayscale, int quality, bool progressive) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.Width());
    cinfo.image_height = JDIMENSION(image.Height());
    cinfo.input_components = grayscale ? 1 : 3;
    cinfo.in_color_space = grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive) {
        jpeg_simple_progression(&cinfo);
        cinfo.optimize_coding = TRUE;
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(image.Width()) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const Pixel* in = image.Scanline(int32_t(cinfo.next_scanline));
        for (int32_t x = 0; x < image.Width(); ++x) {
            if (grayscale) {
                row[size_t(x)] = PixelGreen(in[x]);
            } else {
                row[3 * size_t(x)] = PixelRed(in[x]);
                row[3 * size_t(x) + 1] = PixelGreen(in[x]);
                row[3 * size_t(x) + 2] = PixelBlue(in[x]);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    ByteVec out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

ByteVec EncodePng(const Bitmap32& image, const std::vector<uint8_t>& alpha) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.Width());
    png.height = png_uint_32(image.Height());
    png.format = PNG_FORMAT_RGBA;
    ByteVec rgba;
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const Pixel p = image.GetPixel(x, y);
            rgba.insert(rgba.end(), {PixelRed(p), PixelGreen(p), PixelBlue(p),
                                     alpha[size_t(y) * size_t(image.Width()) + size_t(x)]});
        }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, rgba.data(), 0, nullptr))
        throw std::runtime_error("png size");
    ByteVec out(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, rgba.data(), 0, nullptr))
        throw std::runtime_error("png write");
    out.resize(size);
    return out;
}

ByteVec EncodePng16(const Bitmap32& image, const std::vector<uint8_t>& alpha, bool interlaced) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    ByteVec out;
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t length) {
            auto* bytes = static_cast<ByteVec*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(image.Width()), png_uint_32(image.Height()), 16,
                 PNG_COLOR_TYPE_RGB_ALPHA, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<std::vector<uint8_t>> rows(size_t(image.Height()),
                                           std::vector<uint8_t>(size_t(image.Width()) * 8));
    std::vector<png_bytep> rowPointers;
    for (int32_t y = 0; y < image.Height(); ++y) {
        std::vector<uint8_t>& row = rows[size_t(y)];
        rowPointers.push_back(row.data());
        for (int32_t x = 0; x < image.Width(); ++x) {
            const Pixel p = image.GetPixel(x, y);
            const uint8_t a = alpha[size_t(y) * size_t(image.Width()) + size_t(x)];
            const uint8_t channels[4] = {PixelRed(p), PixelGreen(p), PixelBlue(p), a};
            for (int c = 0; c < 4; ++c)  // big-endian 16 bits: v * 257 is v twice
                row[size_t(x) * 8 + size_t(c) * 2] = row[size_t(x) * 8 + size_t(c) * 2 + 1] =
                    channels[c];
        }
    }
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

ByteVec IconFile(const std::vector<IconEntrySpec>& entries) {
    ByteVec out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, uint16_t(entries.size()));
    uint32_t offset = uint32_t(6 + 16 * entries.size());
    for (const IconEntrySpec& e : entries) {
        out.push_back(e.Width);
        out.push_back(e.Height);
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, e.BitCount);
        Put32(out, uint32_t(e.Image.size()));
        Put32(out, offset);
        offset += uint32_t(e.Image.size());
    }
    for (const IconEntrySpec& e : entries) Append(out, e.Image);
    return out;
}

ByteVec WmfRecord(uint16_t function, const std::vector<uint16_t>& params, const ByteVec& tail) {
    ByteVec out;
    ByteVec body;
    for (uint16_t p : params) Put16(body, p);
    Append(body, tail);
    body.resize((body.size() + 1) / 2 * 2, 0);
    Put32(out, uint32_t(3 + body.size() / 2));
    Put16(out, function);
    Append(out, body);
    return out;
}

ByteVec WmfFile(const std::vector<ByteVec>& records, bool placeable, int16_t right, int16_t bottom,
                uint16_t inch) {
    ByteVec out;
    if (placeable) {
        ByteVec head;
        Put32(head, 0x9AC6CDD7);
        Put16(head, 0);
        Put16(head, 0);
        Put16(head, 0);
        Put16(head, uint16_t(right));
        Put16(head, uint16_t(bottom));
        Put16(head, inch);
        Put32(head, 0);
        uint16_t sum = 0;
        for (size_t i = 0; i < head.size(); i += 2) sum ^= uint16_t(head[i] | head[i + 1] << 8);
        Put16(head, sum);
        Append(out, head);
    }
    ByteVec body;
    for (const ByteVec& r : records) Append(body, r);
    Append(body, WmfRecord(0, {}));
    Put16(out, 1);
    Put16(out, 9);
    Put16(out, 0x300);
    Put32(out, uint32_t(9 + body.size() / 2));
    Put16(out, 8);
    Put32(out, 0);
    Put16(out, 0);
    Append(out, body);
    return out;
}

ByteVec EmfRecord(uint32_t type, const std::vector<uint32_t>& params, const ByteVec& tail) {
    ByteVec body;
    for (uint32_t p : params) Put32(body, p);
    Append(body, tail);
    body.resize((body.size() + 3) / 4 * 4, 0);
    ByteVec out;
    Put32(out, type);
    Put32(out, uint32_t(8 + body.size()));
    Append(out, body);
    return out;
}

ByteVec EmfFile(const std::vector<ByteVec>& records, int32_t widthPx, int32_t heightPx) {
    // A reference device of 960 x 960 pixels on 254 x 254 mm: 96 pixels to the inch.
    const auto hundredthMM = [](int32_t px) { return uint32_t(px * 2540 / 96); };
    ByteVec body;
    for (const ByteVec& r : records) Append(body, r);
    Append(body, EmfRecord(14, {0, 16, 20}));
    ByteVec header = EmfRecord(1, {0,
                                   0,
                                   uint32_t(widthPx - 1),
                                   uint32_t(heightPx - 1),
                                   0,
                                   0,
                                   hundredthMM(widthPx),
                                   hundredthMM(heightPx),
                                   0x464D4520,
                                   0x10000,
                                   0,
                                   uint32_t(records.size() + 2),
                                   1,
                                   0,
                                   0,
                                   0,
                                   960,
                                   960,
                                   254,
                                   254});
    const uint32_t total = uint32_t(header.size() + body.size());
    std::memcpy(header.data() + 48, &total, 4);
    Append(header, body);
    return header;
}

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "corvane-imaging-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    FPath = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
}

std::string TempDir::Write(const std::string& name, const ByteVec& bytes) const {
    const std::filesystem::path file = FPath / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return file.string();
}

Bitmap32 MakeImage(const std::vector<std::vector<Pixel>>& rows) {
    Bitmap32 b(int32_t(rows.empty() ? 0 : rows[0].size()), int32_t(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) b.SetPixel(int32_t(x), int32_t(y), rows[y][x]);
    return b;
}

std::vector<std::vector<Pixel>> Rows(const Bitmap32& image) {
    std::vector<std::vector<Pixel>> rows(size_t(image.Height()));
    for (int32_t y = 0; y < image.Height(); ++y)
        rows[size_t(y)].assign(image.Scanline(y), image.Scanline(y) + image.Width());
    return rows;
}

}  // namespace corvane::testing
