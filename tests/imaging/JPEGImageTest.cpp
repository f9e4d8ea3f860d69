#include "imaging/JPEGImage.h"

#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <set>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/DisplayDepth.h"
#include "imaging/Icon.h"
#include "imaging/ImagingErrors.h"
#include "imaging/Metafile.h"
#include "imaging/OleGraphic.h"
#include "imaging/Stream.h"
#include "tests/imaging/ImagingFixtures.h"

namespace corvane {
namespace {

using namespace corvane::testing;

// A picture with many colours: red across, green down, blue constant.
Bitmap32 Gradient(int w, int h) {
    Bitmap32 b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, MakePixel(uint8_t(x * 255 / (w - 1)), uint8_t(y * 255 / (h - 1)), 90));
    return b;
}

std::unique_ptr<TJPEGImage> Load(const ByteVec& bytes) {
    TMemoryStream stream(bytes);
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromStream(stream);
    return jpeg;
}

std::string LoadError(const ByteVec& bytes) {
    try {
        Load(bytes);
    } catch (const EInvalidGraphic& e) {
        return e.what();
    }
    return "loaded";
}

std::string JpegError(int code) {
    return "JPEG error #" + std::to_string(code);
}

size_t DistinctColours(const Bitmap32& b) {
    std::set<Pixel> colours(b.Bits(), b.Bits() + b.PixelCount());
    return colours.size();
}

TEST(TJPEGImage, DecodesOnFirstUseToTheFullPicture) {
    const Bitmap32 picture = Gradient(40, 24);
    const ByteVec file = EncodeJpeg(picture, false, 100);
    auto jpeg = Load(file);
    EXPECT_EQ(jpeg->Width(), 40);
    EXPECT_EQ(jpeg->Height(), 24);
    EXPECT_FALSE(jpeg->Decoded());

    Bitmap32 target(80, 48);
    jpeg->Draw(target, TRect{0, 0, 80, 48});  // scaled to the rectangle
    ASSERT_TRUE(jpeg->Decoded());
    const Bitmap32& image = jpeg->DecodedImage();
    ASSERT_EQ(image.Width(), 40);
    int worst = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x)
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(int((image.GetPixel(x, y) >> shift) & 255) -
                                                 int((picture.GetPixel(x, y) >> shift) & 255)));
    EXPECT_LE(worst, 8);  // lossy, but close at quality 100
    EXPECT_EQ(target.GetPixel(79, 47), image.GetPixel(39, 23));
    EXPECT_GT(DistinctColours(image), 236u);  // full colour on a deep display
}

// libjpeg's own RGB output with the picture class's settings, as pixels.
Bitmap32 ReferenceDecode(const ByteVec& file) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_block_smoothing = TRUE;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    Bitmap32 out(int32_t(cinfo.output_width), int32_t(cinfo.output_height));
    std::vector<JSAMPLE> row(cinfo.output_width * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int32_t y = int32_t(cinfo.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        for (int32_t x = 0; x < out.Width(); ++x)
            out.SetPixel(x, y, MakePixel(row[3 * x], row[3 * x + 1], row[3 * x + 2]));
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

TEST(TJPEGImage, DecodesStraightIntoThePixelsExactlyAsLibjpegsRgbOutput) {
    // Odd sizes, so that the last blocks and the subsampled colour are partial.
    Bitmap32 noisy(77, 45);
    uint32_t state = 12345;
    for (int y = 0; y < noisy.Height(); ++y)
        for (int x = 0; x < noisy.Width(); ++x) {
            state = state * 1664525u + 1013904223u;
            noisy.SetPixel(x, y, (state >> 8) & 0x00FFFFFFu);
        }
    for (const Bitmap32& picture : {noisy, Gradient(77, 45)}) {
        const ByteVec file = EncodeJpeg(picture, false, 85);
        const Bitmap32 expected = ReferenceDecode(file);
        const auto jpeg = Load(file);
        const Bitmap32& image = jpeg->DecodedImage();
        ASSERT_EQ(image.Width(), expected.Width());
        ASSERT_EQ(image.Height(), expected.Height());
        // All 32 bits: the unused byte is 0 as in every other picture.
        EXPECT_TRUE(std::equal(image.Bits(), image.Bits() + image.PixelCount(), expected.Bits()));
    }
}

TEST(TJPEGImage, GreyFilesAndShallowDisplaysAreQuantised) {
    auto grey = Load(EncodeJpeg(Gradient(64, 64), true));
    EXPECT_TRUE(grey->Grayscale());
    const Bitmap32& greyImage = grey->DecodedImage();
    EXPECT_LE(DistinctColours(greyImage), 236u);
    for (size_t i = 0; i < greyImage.PixelCount(); ++i) {
        const Pixel p = greyImage.Bits()[i];
        ASSERT_TRUE(PixelRed(p) == PixelGreen(p) && PixelGreen(p) == PixelBlue(p));
    }

    SetDisplayBitsPerPixel(8);
    auto colour = Load(EncodeJpeg(Gradient(64, 64), false));
    const size_t quantised = DistinctColours(colour->DecodedImage());
    SetDisplayBitsPerPixel(24);
    EXPECT_LE(quantised, 236u);
    EXPECT_GT(quantised, 16u);
}

TEST(TJPEGImage, LibjpegErrorsCarryTheirCode) {
    const ByteVec good = EncodeJpeg(Gradient(16, 16), false);
    ByteVec headerOnly(good.begin(), good.begin() + 20);
    ByteVec badLength = good;
    for (size_t i = 0; i + 3 < badLength.size(); ++i)
        if (badLength[i] == 0xFF && badLength[i + 1] == 0xC0) {
            badLength[i + 3] += 1;  // the frame header's length no longer fits its components
            break;
        }
    EXPECT_EQ(LoadError({}), JpegError(JERR_INPUT_EMPTY));
    EXPECT_EQ(LoadError({'h', 'e', 'l', 'l', 'o'}), JpegError(JERR_NO_SOI));
    EXPECT_EQ(LoadError(headerOnly), JpegError(JERR_NO_IMAGE));
    EXPECT_EQ(LoadError(badLength), JpegError(JERR_BAD_LENGTH));
}

TEST(TJPEGImage, ATruncatedScanStillDecodes) {
    // libjpeg only warns about data that ends early; the warning is dropped and the rest of the
    // picture is filled in.
    const ByteVec header = EncodeJpeg(Bitmap32(1, 1), false);
    ByteVec file = EncodeJpeg(Gradient(160, 160), false);
    file.resize(header.size() + (file.size() - header.size()) / 2);  // half of the scan
    auto jpeg = Load(file);
    EXPECT_EQ(jpeg->DecodedImage().Width(), 160);
}

TEST(TJPEGImage, AStatedSizeBeyondTheLimitIsRefusedAtLoad) {
    ByteVec file = EncodeJpeg(Gradient(16, 16), false);
    // Patch the frame header: height and width as 30000 x 30000.
    for (size_t i = 0; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            file[i + 5] = 0x75, file[i + 6] = 0x30, file[i + 7] = 0x75, file[i + 8] = 0x30;
            break;
        }
    EXPECT_THROW(Load(file), EPictureTooLarge);
}

TEST(TBitmapAssign, CopiesBitmapsAndJpegAndRefusesTheRest) {
    auto jpeg = Load(EncodeJpeg(Gradient(8, 4), false));
    TBitmap bitmap;
    bitmap.Assign(*jpeg);
    EXPECT_EQ(bitmap.Width(), 8);
    EXPECT_EQ(Rows(bitmap.Image()), Rows(jpeg->DecodedImage()));
    TBitmap other;
    other.Assign(bitmap);
    EXPECT_EQ(Rows(other.Image()), Rows(bitmap.Image()));

    const TIcon icon;
    const TMetafile metafile;
    const TOleGraphic ole;
    for (const TGraphic* source : std::initializer_list<const TGraphic*>{&icon, &metafile, &ole}) {
        try {
            bitmap.Assign(*source);
            ADD_FAILURE() << source->ClassName();
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.what(),
                      std::string("Cannot assign a ") + source->ClassName() + " to a TBitmap");
        }
    }
    EXPECT_EQ(bitmap.Width(), 8);
}

}  // namespace
}  // namespace corvane
