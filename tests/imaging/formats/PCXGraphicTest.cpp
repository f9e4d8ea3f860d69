#include "imaging/formats/PCXGraphic.h"

#include <gtest/gtest.h>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

struct PcxSpec {
    uint8_t Bits;
    uint8_t Planes;
    uint16_t Width, Height, BytesPerLine;
    ByteVec Lines;  // every plane of every line, decoded
    std::vector<Pixel> HeaderPalette = {};
    ByteVec Tail = {};
    uint8_t Version = 5;
    bool Encoded = true;
};

// Runs of up to 63 equal bytes; they may run on from one line into the next.
ByteVec RunLength(const ByteVec& raw) {
    ByteVec out;
    for (size_t i = 0; i < raw.size();) {
        size_t n = 1;
        while (i + n < raw.size() && raw[i + n] == raw[i] && n < 63) ++n;
        if (n > 1 || raw[i] >= 0xC0) out.push_back(uint8_t(0xC0 | n));
        out.push_back(raw[i]);
        i += n;
    }
    return out;
}

ByteVec PcxFile(const PcxSpec& s) {
    ByteVec out = {10, s.Version, uint8_t(s.Encoded ? 1 : 0), s.Bits};
    for (uint16_t v : {uint16_t(0), uint16_t(0), uint16_t(s.Width - 1), uint16_t(s.Height - 1),
                       uint16_t(72), uint16_t(72)})
        Put16(out, v);
    for (size_t i = 0; i < 16; ++i) {
        const Pixel p = i < s.HeaderPalette.size() ? s.HeaderPalette[i] : 0;
        Append(out, {PixelRed(p), PixelGreen(p), PixelBlue(p)});
    }
    out.push_back(0);
    out.push_back(s.Planes);
    Put16(out, s.BytesPerLine);
    Put16(out, 1);
    out.resize(128, 0);
    Append(out, s.Encoded ? RunLength(s.Lines) : s.Lines);
    Append(out, s.Tail);
    return out;
}

ByteVec VgaPalette(const std::vector<Pixel>& colours) {
    ByteVec out = {12};
    for (size_t i = 0; i < 256; ++i) {
        const Pixel p = i < colours.size() ? colours[i] : 0;
        Append(out, {PixelRed(p), PixelGreen(p), PixelBlue(p)});
    }
    return out;
}

const std::vector<Pixel> Six = {Black, Red, Green, Blue, White, Grey};

TEST(TPCXGraphic, DecodesEveryDepthAndPlaneLayout) {
    const PixelRows twoColours = {{White, Black, White}, {Black, Black, White}};
    const struct {
        const char* Name;
        PcxSpec Spec;
        PixelRows Expected;
    } cases[] = {
        // Lines padded to an even length; the run of the padding runs into the next plane.
        {"ThreePlanes24",
         {8, 3, 3, 2, 4, {255, 0, 0,   0, 0,   255, 0,   0, 0,   0, 255, 0,
                          255, 0, 128, 0, 255, 0,   128, 0, 255, 0, 128, 0}},
         Picture3x2},
        {"Palette8", {8, 1, 3, 2, 4, {1, 2, 3, 0, 4, 0, 5, 0}, {}, VgaPalette(Six)}, Picture3x2},
        {"Grey8WithoutPalette", {8, 1, 3, 1, 4, {0, 0x80, 0xFF, 0}}, {{Black, Grey, White}}},
        {"FourBitPlanes",
         {1,
          4,
          3,
          2,
          2,
          {0b10100000, 0, 0b01100000, 0, 0b00000000, 0, 0b00000000, 0,   // indices 1 2 3
           0b00100000, 0, 0b00000000, 0, 0b10100000, 0, 0b00000000, 0},  // indices 4 0 5
          Six},
         Picture3x2},
        {"FourBitsPacked", {4, 1, 3, 2, 2, {0x12, 0x30, 0x40, 0x50}, Six}, Picture3x2},
        {"TwoBitsPacked", {2, 1, 3, 1, 2, {0b01101100, 0}, Six}, {{Red, Green, Blue}}},
        {"Monochrome", {1, 1, 3, 2, 2, {0b10100000, 0, 0b00100000, 0}}, twoColours},
        {"Version3UsesTheStandardColours",
         {4, 1, 2, 1, 2, {0xF4, 0}, {}, {}, 3},
         {{White, 0xAA0000}}},
        {"Unencoded",
         {8, 1, 3, 1, 4, {0xC1, 0x80, 0xFF, 0}, {}, {}, 5, false},
         {{0xC1C1C1, Grey, White}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const ByteVec file = PcxFile(c.Spec);
        KeepAsSeed("pcx", std::string(c.Name) + ".pcx", file);
        EXPECT_EQ(DecodeAs<TPCXGraphic>(file), c.Expected);
    }
}

TEST(TPCXGraphic, ReadsRealFiles) {
    EXPECT_EQ(DecodeAs<TPCXGraphic>(RealFile("pcx/rgb24.pcx")), RealFilePicture());
    EXPECT_EQ(DecodeAs<TPCXGraphic>(RealFile("pcx/palette8.pcx")), RealFilePicture());
    const PixelRows mono = DecodeAs<TPCXGraphic>(RealFile("pcx/mono.pcx"));
    ASSERT_EQ(mono.size(), 6u);
    for (const auto& row : mono)
        for (Pixel p : row) EXPECT_TRUE(p == Black || p == White);
}

TEST(TPCXGraphic, BadFilesGetTheirMessages) {
    const ByteVec good = PcxFile({8, 3, 3, 2, 4, ByteVec(24, 0x33)});
    ByteVec notPcx = good;
    notPcx[0] = 11;
    const TBadFile cases[] = {
        {"RunsCut", ByteVec(good.begin(), good.end() - 1), "Stream read error in PCX file."},
        {"HeaderCut", ByteVec(good.begin(), good.begin() + 100), "Stream read error in PCX file."},
        {"NotPcx", notPcx, "Cannot load image. Invalid or unexpected PCX image format."},
        {"ShortLines", PcxFile({8, 1, 3, 2, 2, ByteVec(4)}),
         "Cannot load image. Invalid or unexpected PCX image format."},
        {"ThreeBits", PcxFile({3, 1, 3, 2, 2, ByteVec(4)}), "Invalid color format in PCX file."},
        // 2^28 pixels stated in 300 bytes of runs.
        {"HugeRuns", PcxFile({8, 1, 16384, 16384, 16384, ByteVec(300 * 63, 7)}),
         "Stream read error in PCX file."},
    };
    ExpectRefusals<TPCXGraphic>(cases);
}

}  // namespace
}  // namespace corvane
