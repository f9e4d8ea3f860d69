#include "imaging/formats/PPMGraphic.h"

#include <gtest/gtest.h>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

ByteVec Text(const std::string& text, const ByteVec& binary = {}) {
    ByteVec out(text.begin(), text.end());
    Append(out, binary);
    return out;
}

TEST(TPPMGraphic, DecodesTextAndBinaryMaps) {
    const PixelRows greyRows = {{Black, Grey, White}};
    const struct {
        const char* Name;
        ByteVec Bytes;
        PixelRows Expected;
    } cases[] = {
        {"TextPixels",
         Text("P3\n# made by hand\n3 2 255\n255 0 0  0 255 0  0 0 255\n255 255 255 0 0 0 128 128 "
              "128\n"),
         Picture3x2},
        {"BinaryPixels",
         Text("P6 3 2\n255\n",
              {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128}),
         Picture3x2},
        {"TextGreyWithSmallMaximum", Text("P2 3 1 4 0 2 4"), greyRows},
        {"BinaryGrey", Text("P5\n3#comment inside the header\n1\n255\n", {0, 128, 255}), greyRows},
        // Samples above 255 take two bytes, the high one first.
        {"WideBinaryGrey", Text("P5 3 1 65535\n", {0, 0, 0x80, 0x00, 0xFF, 0xFF}), greyRows},
        {"WideTextPixels", Text("P3 1 1 1000 1000 0 502"), {{0xFF0080}}},
        // Bit maps: 1 is black; text digits need no separator; binary rows are padded.
        {"TextBits", Text("P1\n3 2\n010\n1 0 1"), {{White, Black, White}, {Black, White, Black}}},
        {"BinaryBits",
         Text("P4\n10 1\n", {0b10110000, 0b01000000}),
         {{Black, White, Black, Black, White, White, White, White, White, Black}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        KeepAsSeed("ppm", std::string(c.Name) + ".ppm", c.Bytes);
        EXPECT_EQ(DecodeAs<TPPMGraphic>(c.Bytes), c.Expected);
    }
}

TEST(TPPMGraphic, ReadsRealFiles) {
    for (const char* name : {"binary.ppm", "text.ppm", "deep16.ppm"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(DecodeAs<TPPMGraphic>(RealFile(std::string("ppm/") + name)), RealFilePicture());
    }
    EXPECT_EQ(DecodeAs<TPPMGraphic>(RealFile("ppm/binary.pgm")),
              DecodeAs<TPPMGraphic>(RealFile("ppm/text.pgm")));
    EXPECT_EQ(DecodeAs<TPPMGraphic>(RealFile("ppm/binary.pbm")),
              DecodeAs<TPPMGraphic>(RealFile("ppm/text.pbm")));
}

TEST(TPPMGraphic, BadFilesGetTheirMessages) {
    const std::string invalid =
        "Cannot load image. Invalid or unexpected portable map image format.";
    const std::string readError = "Stream read error in portable map file.";
    const TBadFile cases[] = {
        {"BinaryCut", Text("P6 3 2 255\n", ByteVec(17)), readError},
        {"TextCut", Text("P2 3 1 255 0 1"), readError},
        {"HeaderCut", Text("P6 3"), readError},
        {"Arbitrary", Text("P7\nWIDTH 3\n"), invalid},
        {"LetterAmongSamples", Text("P2 3 1 255 0 x 1"), invalid},
        {"MaximumZero", Text("P5 1 1 0\n", {0}), invalid},
        {"MaximumTooLarge", Text("P5 1 1 65536\n", {0, 0}), invalid},
        {"DigitTwoInBits", Text("P1 2 1 2 0"), invalid},
        {"HugeText", Text("P3 16384 16384 255\n" + std::string(300, '7')), readError},
    };
    ExpectRefusals<TPPMGraphic>(cases);
}

}  // namespace
}  // namespace corvane
