#include "tests/imaging/formats/PhotoFixtures.h"

#include <libheif/heif.h>
#include <png.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>

namespace corvane::testing {

namespace {

void PutBe16(ByteVec& out, uint16_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}
void PutBe32(ByteVec& out, uint32_t v) {
    PutBe16(out, uint16_t(v >> 16));
    PutBe16(out, uint16_t(v));
}

// Blue, green, red and opacity per pixel, rows from the top.
ByteVec BgraRows(const Bitmap32& image, const std::vector<uint8_t>& alpha) {
    ByteVec out;
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const Pixel p = image.GetPixel(x, y);
            out.push_back(PixelBlue(p));
            out.push_back(PixelGreen(p));
            out.push_back(PixelRed(p));
            out.push_back(alpha.empty() ? 255 : alpha[size_t(y) * image.Width() + x]);
        }
    return out;
}

void WriteToVector(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<ByteVec*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void FlushNothing(png_structp) {}

}  // namespace

ByteVec ExifBlock(int orientation, bool bigEndian, bool withHeader) {
    ByteVec out;
    if (withHeader) out = {'E', 'x', 'i', 'f', 0, 0};
    auto put16 = [&](uint16_t v) { bigEndian ? PutBe16(out, v) : Put16(out, v); };
    auto put32 = [&](uint32_t v) { bigEndian ? PutBe32(out, v) : Put32(out, v); };
    out.push_back(bigEndian ? 'M' : 'I');
    out.push_back(bigEndian ? 'M' : 'I');
    put16(42);
    put32(8);  // the first directory follows the header
    put16(2);
    // Make: ASCII "Cam" held in the entry itself.
    put16(0x010F);
    put16(2);
    put32(4);
    out.insert(out.end(), {'C', 'a', 'm', 0});
    // Orientation: one SHORT, in the first two bytes of the value field.
    put16(0x0112);
    put16(3);
    put32(1);
    put16(uint16_t(orientation));
    put16(0);
    put32(0);  // no further directory
    return out;
}

ByteVec EncodeJpegWithExif(const Bitmap32& image, int orientation, int quality) {
    ByteVec jpeg = EncodeJpeg(image, false, quality);
    const ByteVec exif = ExifBlock(orientation, orientation % 2 == 0, true);
    ByteVec segment = {0xFF, 0xE1};
    PutBe16(segment, uint16_t(exif.size() + 2));
    Append(segment, exif);
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());  // right after SOI
    return jpeg;
}

ByteVec EncodePngOf(const Bitmap32& image, const std::vector<uint8_t>& alpha,
                    const PngOptions& options) {
    ByteVec out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng could not write the fixture");
    }
    png_set_write_fn(png, &out, WriteToVector, FlushNothing);
    const int w = image.Width(), h = image.Height(), depth = options.BitDepth;
    const int type = options.ColourType;
    png_set_IHDR(png, info, w, h, depth, type, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    auto opacity = [&](int x, int y) { return alpha.empty() ? 255 : alpha[size_t(y) * w + x]; };
    std::map<Pixel, int> index;
    if (type == PNG_COLOR_TYPE_PALETTE) {
        std::vector<png_color> palette;
        std::vector<png_byte> transparency;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Pixel p = image.GetPixel(x, y);
                if (index.emplace(p, int(palette.size())).second) {
                    palette.push_back({PixelRed(p), PixelGreen(p), PixelBlue(p)});
                    transparency.push_back(uint8_t(opacity(x, y)));
                }
            }
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
        if (!alpha.empty())
            png_set_tRNS(png, info, transparency.data(), int(transparency.size()), nullptr);
    }
    ByteVec exif;
    if (options.Orientation) {
        exif = ExifBlock(*options.Orientation);
        png_set_eXIf_1(png, info, png_uint_32(exif.size()), exif.data());
    }
    png_write_info(png, info);

    // Each sample at the file's depth: values of 8 bits scaled up to 16 (v * 257) or down.
    const int channels = type == 0 ? 1 : type == 2 ? 3 : type == 3 ? 1 : type == 4 ? 2 : 4;
    for (int y = 0; y < h; ++y) {
        std::vector<uint32_t> samples;
        for (int x = 0; x < w; ++x) {
            const Pixel p = image.GetPixel(x, y);
            const uint8_t a = uint8_t(opacity(x, y));
            if (type == 3) samples.push_back(uint32_t(index[p]));
            if (type == 0 || type == 4) samples.push_back(PixelGreen(p));
            if (type == 2 || type == 6)
                samples.insert(samples.end(), {PixelRed(p), PixelGreen(p), PixelBlue(p)});
            if (type == 4 || type == 6) samples.push_back(a);
        }
        ByteVec row((size_t(w) * channels * depth + 7) / 8);
        for (size_t i = 0; i < samples.size(); ++i) {
            uint32_t v = samples[i];
            if (type != 3) v = depth == 16 ? v * 257 : v >> (8 - std::min(depth, 8));
            if (depth == 16) {
                row[2 * i] = uint8_t(v >> 8);
                row[2 * i + 1] = uint8_t(v);
            } else {
                const size_t bit = i * depth;
                row[bit / 8] |= uint8_t(v << (8 - depth - bit % 8));
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

ByteVec EncodeWebP(const Bitmap32& image, const std::vector<uint8_t>& alpha,
                   const WebPOptions& options) {
    const int w = image.Width(), h = image.Height();
    const ByteVec bgra = BgraRows(image, alpha);
    ByteVec bitstream;
    if (options.AnimationFrames >= 2) {
        WebPAnimEncoderOptions animOptions;
        WebPAnimEncoderOptionsInit(&animOptions);
        WebPAnimEncoder* encoder = WebPAnimEncoderNew(w, h, &animOptions);
        WebPConfig config;
        WebPConfigInit(&config);
        config.lossless = options.Lossless;
        config.quality = float(options.Quality);
        for (int frame = 0; frame < options.AnimationFrames; ++frame) {
            // Later frames show the colours inverted: only the first is the picture.
            ByteVec pixels = bgra;
            if (frame > 0)
                for (size_t i = 0; i < pixels.size(); ++i)
                    if (i % 4 != 3) pixels[i] = uint8_t(255 - pixels[i]);
            WebPPicture picture;
            WebPPictureInit(&picture);
            picture.use_argb = 1;
            picture.width = w;
            picture.height = h;
            WebPPictureImportBGRA(&picture, pixels.data(), w * 4);
            WebPAnimEncoderAdd(encoder, &picture, frame * 100, &config);
            WebPPictureFree(&picture);
        }
        WebPAnimEncoderAdd(encoder, nullptr, options.AnimationFrames * 100, nullptr);
        WebPData assembled;
        WebPDataInit(&assembled);
        WebPAnimEncoderAssemble(encoder, &assembled);
        bitstream.assign(assembled.bytes, assembled.bytes + assembled.size);
        WebPDataClear(&assembled);
        WebPAnimEncoderDelete(encoder);
    } else {
        uint8_t* encoded = nullptr;
        const size_t size =
            options.Lossless
                ? WebPEncodeLosslessBGRA(bgra.data(), w, h, w * 4, &encoded)
                : WebPEncodeBGRA(bgra.data(), w, h, w * 4, float(options.Quality), &encoded);
        bitstream.assign(encoded, encoded + size);
        WebPFree(encoded);
    }
    if (bitstream.empty()) throw std::runtime_error("libwebp could not write the fixture");
    if (!options.Orientation) return bitstream;

    const ByteVec exif = ExifBlock(*options.Orientation, true);
    WebPData input{bitstream.data(), bitstream.size()};
    WebPMux* mux = WebPMuxCreate(&input, 1);
    WebPData chunk{exif.data(), exif.size()};
    WebPMuxSetChunk(mux, "EXIF", &chunk, 1);
    WebPData assembled;
    WebPDataInit(&assembled);
    const WebPMuxError error = WebPMuxAssemble(mux, &assembled);
    ByteVec out(assembled.bytes, assembled.bytes + assembled.size);
    WebPDataClear(&assembled);
    WebPMuxDelete(mux);
    if (error != WEBP_MUX_OK) throw std::runtime_error("libwebpmux could not add EXIF");
    return out;
}

namespace {
heif_error WriteHeif(heif_context*, const void* data, size_t size, void* userdata) {
    auto* out = static_cast<ByteVec*>(userdata);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}
void Require(const heif_error& error) {
    if (error.code != heif_error_Ok)
        throw std::runtime_error(std::string("libheif could not write the fixture: ") +
                                 error.message);
}
}  // namespace

ByteVec EncodeHeif(const Bitmap32& image, bool avif, int orientation, bool alpha) {
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    Require(heif_context_get_encoder_for_format(
        context, avif ? heif_compression_AV1 : heif_compression_HEVC, &encoder));
    heif_encoder_set_lossy_quality(encoder, 95);
    const int w = image.Width(), h = image.Height();
    heif_image* picture = nullptr;
    Require(heif_image_create(w, h, heif_colorspace_RGB,
                              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                              &picture));
    Require(heif_image_add_plane(picture, heif_channel_interleaved, w, h, 8));
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(picture, heif_channel_interleaved, &stride);
    const int channels = alpha ? 4 : 3;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* out = plane + size_t(y) * stride + size_t(x) * channels;
            const Pixel p = image.GetPixel(x, y);
            out[0] = PixelRed(p);
            out[1] = PixelGreen(p);
            out[2] = PixelBlue(p);
            if (alpha) out[3] = x < w / 2 ? 255 : 0;  // the right half transparent
        }
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(orientation);
    Require(heif_context_encode_image(context, picture, encoder, options, nullptr));
    heif_encoding_options_free(options);
    heif_image_release(picture);
    heif_encoder_release(encoder);
    ByteVec out;
    heif_writer writer{1, WriteHeif};
    Require(heif_context_write(context, &writer, &out));
    heif_context_free(context);
    return out;
}

Pixel BlockColour(char letter) {
    static const Pixel colours[6] = {MakePixel(230, 40, 40),  MakePixel(40, 200, 40),
                                     MakePixel(40, 60, 230),  MakePixel(240, 220, 40),
                                     MakePixel(200, 40, 200), MakePixel(40, 210, 210)};
    return colours[letter - 'A'];
}

Bitmap32 BlockPicture(int cols, int rows, int block) {
    Bitmap32 picture(cols * block, rows * block);
    for (int y = 0; y < rows * block; ++y)
        for (int x = 0; x < cols * block; ++x)
            picture.SetPixel(x, y, BlockColour(char('A' + ((y / block) * cols + x / block) % 6)));
    return picture;
}

std::vector<std::string> BlockLetters(const Bitmap32& picture, int block, int tolerance) {
    std::vector<std::string> rows;
    for (int by = 0; by < picture.Height() / block; ++by) {
        std::string row;
        for (int bx = 0; bx < picture.Width() / block; ++bx) {
            const Pixel p = picture.GetPixel(bx * block + block / 2, by * block + block / 2);
            char found = '?';
            for (char letter = 'A'; letter <= 'F'; ++letter) {
                const Pixel c = BlockColour(letter);
                if (std::abs(PixelRed(p) - PixelRed(c)) <= tolerance &&
                    std::abs(PixelGreen(p) - PixelGreen(c)) <= tolerance &&
                    std::abs(PixelBlue(p) - PixelBlue(c)) <= tolerance)
                    found = letter;
            }
            row += found;
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace corvane::testing
