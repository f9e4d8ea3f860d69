#include "imaging/formats/AutodeskGraphic.h"

#include <gtest/gtest.h>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

ByteVec CelFile(uint16_t width, uint16_t height, const ByteVec& pixels, uint8_t depth = 8,
                uint8_t compression = 0) {
    ByteVec out;
    for (uint16_t v : {uint16_t(0x9119), width, height, uint16_t(5), uint16_t(7)}) Put16(out, v);
    Append(out, {depth, compression});
    Put32(out, uint32_t(width) * height);
    out.resize(32, 0);
    // Six-bit colours: black, red, green, blue, white, and 32 of 63 for grey; the rest black.
    const ByteVec colours = {0, 0, 0, 63, 0, 0, 0, 63, 0, 0, 0, 63, 63, 63, 63, 32, 32, 32};
    Append(out, colours);
    out.resize(32 + 768, 0);
    Append(out, pixels);
    return out;
}

TEST(TAutodeskGraphic, DecodesIndicesThroughTheSixBitPalette) {
    const ByteVec cel = CelFile(3, 2, {1, 2, 3, 4, 0, 5});
    KeepAsSeed("autodesk", "picture.cel", cel);
    EXPECT_EQ(DecodeAs<TAutodeskGraphic>(cel),
              (PixelRows{{Red, Green, Blue}, {White, Black, 0x828282}}));
}

TEST(TAutodeskGraphic, BadFilesGetTheirMessages) {
    const ByteVec cel = CelFile(3, 2, {1, 2, 3, 4, 0, 5});
    const TBadFile cases[] = {
        {"PixelsCut", ByteVec(cel.begin(), cel.end() - 1), "Stream read error in Autodesk file."},
        {"HeaderCut", ByteVec(cel.begin(), cel.begin() + 20),
         "Stream read error in Autodesk file."},
        {"NotAutodesk", ByteVec(cel.begin() + 1, cel.end()),
         "Cannot load image. Invalid or unexpected Autodesk image format."},
        {"SixteenBits", CelFile(3, 2, ByteVec(6), 16), "Invalid color format in Autodesk file."},
        {"Compressed", CelFile(3, 2, ByteVec(6), 8, 1),
         "Cannot load image. Compression not supported for Autodesk files."},
        {"Huge", CelFile(16384, 16384, ByteVec(300)), "Stream read error in Autodesk file."},
    };
    ExpectRefusals<TAutodeskGraphic>(cases);
}

}  // namespace
}  // namespace corvane
