// EXIF orientation: the reader over untrusted TIFF structures, and every orientation applied once
// at loading for JPEG, PNG and WebP, so that the loaded picture is the upright one.
#include "imaging/Orientation.h"

#include <gtest/gtest.h>

#include "imaging/JPEGImage.h"
#include "imaging/Stream.h"
#include "imaging/formats/PNGGraphic.h"
#include "imaging/formats/WebPGraphic.h"
#include "tests/imaging/formats/PhotoFixtures.h"
#include "tests/imaging/formats/PhotoTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

TEST(Orientation, TheReaderTakesTheTagOfEitherByteOrderAndRefusesWhatIsNotThere) {
    for (int orientation = 1; orientation <= 8; ++orientation)
        for (bool bigEndian : {false, true}) {
            EXPECT_EQ(ReadTiffOrientation(ExifBlock(orientation, bigEndian)), orientation);
            EXPECT_EQ(ReadExifOrientation(ExifBlock(orientation, bigEndian, true)), orientation);
            EXPECT_EQ(ReadExifOrientation(ExifBlock(orientation, bigEndian, false)), orientation);
        }

    auto patched = [](size_t at, std::initializer_list<uint8_t> bytes, size_t keep = SIZE_MAX) {
        ByteVec exif = ExifBlock(6);
        std::copy(bytes.begin(), bytes.end(), exif.begin() + ptrdiff_t(at));
        exif.resize(std::min(keep, exif.size()));
        return exif;
    };
    // The Orientation entry is the second of the directory at 8: tag at 22, type at 24, count at
    // 26, value at 30.
    const struct {
        const char* What;
        ByteVec Exif;
    } asStored[] = {
        {"nothing", {}},
        {"no byte-order mark", patched(0, {'X', 'X'})},
        {"a wrong magic number", patched(2, {43, 0})},
        {"a directory past the end", patched(4, {0xFF, 0xFF, 0, 0})},
        {"a directory that runs past the end without the tag",
         [&] {
             ByteVec exif = patched(22, {0x13, 0x01});
             exif[8] = 200;
             return exif;
         }()},
        {"a cut entry", patched(0, {'I', 'I'}, 31)},
        {"value 0", patched(30, {0, 0})},
        {"value 9", patched(30, {9, 0})},
        {"two values", patched(26, {2, 0, 0, 0})},
        {"a text type", patched(24, {2, 0})},
        {"no Orientation tag", patched(22, {0x13, 0x01})},
    };
    for (const auto& c : asStored)
        EXPECT_EQ(ReadTiffOrientation(c.Exif), OrientationAsStored) << c.What;
}

// The picture A B C / D E F in blocks, and how it looks upright under each orientation.
const std::vector<std::string> Upright[9] = {
    {},
    {"ABC", "DEF"},
    {"CBA", "FED"},
    {"FED", "CBA"},
    {"DEF", "ABC"},
    {"AD", "BE", "CF"},
    {"DA", "EB", "FC"},
    {"FC", "EB", "DA"},
    {"CF", "BE", "AD"},
};


// The picture as the holder draws it: at its own size.
Bitmap32 Drawn(const TGraphic& graphic) {
    Bitmap32 out(graphic.Width(), graphic.Height());
    graphic.Draw(out, TRect{0, 0, graphic.Width(), graphic.Height()});
    return out;
}

TEST(Orientation, EveryOrientationLoadsUprightInJpegPngAndWebP) {
    constexpr int Block = 16;
    const Bitmap32 stored = BlockPicture(3, 2, Block);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE("orientation " + std::to_string(orientation));
        const int32_t width = SwapsSides(orientation) ? 2 * Block : 3 * Block;
        const int32_t height = SwapsSides(orientation) ? 3 * Block : 2 * Block;

        // JPEG knows the upright size from its header, before it decodes.
        auto jpeg = LoadAs<TJPEGImage>(EncodeJpegWithExif(stored, orientation));
        EXPECT_EQ(jpeg->Orientation(), orientation);
        EXPECT_EQ(jpeg->Width(), width);
        EXPECT_EQ(jpeg->Height(), height);
        EXPECT_FALSE(jpeg->Decoded());
        EXPECT_EQ(BlockLetters(Drawn(*jpeg), Block, 12), Upright[orientation]);

        PngOptions png;
        png.Orientation = orientation;
        auto pngGraphic = LoadAs<TPNGGraphic>(EncodePngOf(stored, {}, png));
        EXPECT_EQ(pngGraphic->Width(), width);
        EXPECT_EQ(pngGraphic->Height(), height);
        EXPECT_EQ(BlockLetters(Drawn(*pngGraphic), Block, 0), Upright[orientation]);

        WebPOptions webp;
        webp.Orientation = orientation;
        auto webpGraphic = LoadAs<TWebPGraphic>(EncodeWebP(stored, {}, webp));
        EXPECT_EQ(webpGraphic->Width(), width);
        EXPECT_EQ(webpGraphic->Height(), height);
        EXPECT_EQ(BlockLetters(Drawn(*webpGraphic), Block, 0), Upright[orientation]);
    }
}

TEST(Orientation, TurnsExactPixelsAndTheirOpacity) {
    // Three by two single pixels, each its own colour and opacity.
    const Bitmap32 stored = MakeImage({{1, 2, 3}, {4, 5, 6}});
    const std::vector<uint8_t> alpha = {10, 20, 30, 40, 50, 60};
    const Bitmap32 turned = TurnUpright(stored, 6);
    EXPECT_EQ(Rows(turned), (std::vector<std::vector<Pixel>>{{4, 1}, {5, 2}, {6, 3}}));
    EXPECT_EQ(TurnUprightAlpha(alpha, 3, 2, 6), (std::vector<uint8_t>{40, 10, 50, 20, 60, 30}));
    EXPECT_EQ(Rows(TurnUpright(stored, 7)),
              (std::vector<std::vector<Pixel>>{{6, 3}, {5, 2}, {4, 1}}));
    // Anything else is the stored picture.
    for (int orientation : {-1, 0, 1, 9})
        EXPECT_EQ(Rows(TurnUpright(stored, orientation)), Rows(stored)) << orientation;

    // A larger picture crosses the turn's tiles: a quarter turn there and back is the picture.
    Bitmap32 large(131, 70);
    for (int32_t y = 0; y < 70; ++y)
        for (int32_t x = 0; x < 131; ++x) large.SetPixel(x, y, Pixel(y * 1000 + x));
    const Bitmap32 back = TurnUpright(TurnUpright(large, 6), 8);
    EXPECT_EQ(Rows(back), Rows(large));
    EXPECT_EQ(TurnUpright(large, 5).GetPixel(69, 130), large.GetPixel(130, 69));
}

}  // namespace
}  // namespace corvane
