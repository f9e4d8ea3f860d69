#include "imaging/formats/GIFGraphic.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

// LZW data of 9-bit codes: a clear code, one literal code per pixel, the end code. Short
// enough that the code width never grows.
ByteVec Lzw(const ByteVec& indices) {
    std::vector<uint16_t> codes = {256};
    codes.insert(codes.end(), indices.begin(), indices.end());
    codes.push_back(257);
    ByteVec packed;
    uint32_t buffer = 0;
    int bits = 0;
    for (uint16_t code : codes) {
        buffer |= uint32_t(code) << bits;
        for (bits += 9; bits >= 8; bits -= 8, buffer >>= 8) packed.push_back(uint8_t(buffer));
    }
    if (bits > 0) packed.push_back(uint8_t(buffer));
    ByteVec out = {8};  // the minimum code size
    for (size_t i = 0; i < packed.size(); i += 255) {
        const size_t n = std::min<size_t>(255, packed.size() - i);
        out.push_back(uint8_t(n));
        out.insert(out.end(), packed.begin() + ptrdiff_t(i), packed.begin() + ptrdiff_t(i + n));
    }
    out.push_back(0);
    return out;
}

ByteVec ColourTable(const std::vector<Pixel>& colours) {  // eight entries
    ByteVec out;
    for (size_t i = 0; i < 8; ++i) {
        const Pixel p = i < colours.size() ? colours[i] : 0;
        Append(out, {PixelRed(p), PixelGreen(p), PixelBlue(p)});
    }
    return out;
}

struct Frame {
    uint16_t Left = 0, Top = 0, Width, Height;
    ByteVec Indices;
    std::vector<Pixel> Local = {};
    bool Interlaced = false;
    std::optional<uint8_t> Transparent = {};
};

ByteVec GifFile(uint16_t width, uint16_t height, const std::vector<Pixel>& global,
                uint8_t background, const std::vector<Frame>& frames) {
    ByteVec out = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, width);
    Put16(out, height);
    Append(out, {uint8_t(global.empty() ? 0 : 0xF2), background, 0});
    if (!global.empty()) Append(out, ColourTable(global));
    for (const Frame& f : frames) {
        if (f.Transparent) Append(out, {0x21, 0xF9, 4, 1, 0, 0, *f.Transparent, 0});
        out.push_back(0x2C);
        for (uint16_t v : {f.Left, f.Top, f.Width, f.Height}) Put16(out, v);
        out.push_back(uint8_t((f.Local.empty() ? 0 : 0x82) | (f.Interlaced ? 0x40 : 0)));
        if (!f.Local.empty()) Append(out, ColourTable(f.Local));
        Append(out, Lzw(f.Indices));
    }
    out.push_back(0x3B);
    return out;
}

const std::vector<Pixel> Six = {Black, Red, Green, Blue, White, Grey};

TEST(TGIFGraphic, ComposesTheFirstFrameOntoTheScreen) {
    // Rows of an interlaced frame arrive as 0, 8, 4, 2, 6, 1, 3, 5, 7.
    const ByteVec passOrder = {0, 8, 4, 2, 6, 1, 3, 5, 7};
    const std::vector<Pixel> ramp = {0x000000, 0x010101, 0x020202, 0x030303,
                                     0x040404, 0x050505, 0x060606, 0x070707};
    PixelRows interlaced;
    for (int y = 0; y < 9; ++y) interlaced.push_back({y == 8 ? 0x000000 : ramp[size_t(y)]});
    const struct {
        const char* Name;
        ByteVec Bytes;
        PixelRows Expected;
    } cases[] = {
        {"Plain", GifFile(3, 2, Six, 0, {{0, 0, 3, 2, {1, 2, 3, 4, 0, 5}}}), Picture3x2},
        {"LocalColours",
         GifFile(3, 1, {White, White}, 0, {{0, 0, 3, 1, {0, 1, 2}, {Red, Green, Blue}}}),
         {{Red, Green, Blue}}},
        {"Interlaced",
         GifFile(1, 9, ramp, 0,
                 {{0,
                   0,
                   1,
                   9,
                   [&] {
                       ByteVec rows(9);
                       for (size_t i = 0; i < 9; ++i) rows[i] = uint8_t(passOrder[i] % 8);
                       return rows;
                   }(),
                   {},
                   true}}),
         interlaced},
        // A frame of 2 x 1 at (1, 1) on a white screen of 4 x 3; the frame reaching past the
        // screen is cut.
        {"FrameOnTheScreen",
         GifFile(4, 3, Six, 4, {{1, 1, 2, 1, {1, 3}}, {0, 0, 4, 3, ByteVec(12, 2)}}),
         {{White, White, White, White}, {White, Red, Blue, White}, {White, White, White, White}}},
        {"FramePastTheScreen", GifFile(2, 1, Six, 4, {{1, 0, 3, 1, {1, 2, 3}}}), {{White, Red}}},
        {"TransparentColour",
         GifFile(3, 1, Six, 5, {{0, 0, 3, 1, {1, 0, 3}, {}, false, 0}}),
         {{Red, Grey, Blue}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        KeepAsSeed("gif", std::string(c.Name) + ".gif", c.Bytes);
        EXPECT_EQ(DecodeAs<TGIFGraphic>(c.Bytes), c.Expected);
    }
}

TEST(TGIFGraphic, ReadsRealFiles) {
    EXPECT_EQ(DecodeAs<TGIFGraphic>(RealFile("gif/plain.gif")), RealFilePicture());
    EXPECT_EQ(DecodeAs<TGIFGraphic>(RealFile("gif/interlaced.gif")), RealFilePicture());
    // The black top left pixel is the transparent colour: the screen shows there.
    PixelRows transparent = DecodeAs<TGIFGraphic>(RealFile("gif/transparent.gif"));
    PixelRows expected = RealFilePicture();
    transparent[0][0] = expected[0][0] = 0;
    EXPECT_EQ(transparent, expected);
}

TEST(TGIFGraphic, BadFilesGetTheirMessages) {
    const ByteVec good = GifFile(3, 2, Six, 0, {{0, 0, 3, 2, {1, 2, 3, 4, 0, 5}}});
    const std::string invalid = "Cannot load image. Invalid or unexpected GIF image format.";
    const std::string readError = "Stream read error in GIF file.";
    const TBadFile cases[] = {
        {"DataCut", ByteVec(good.begin(), good.end() - 5), readError},
        {"ScreenCut", ByteVec(good.begin(), good.begin() + 9), readError},
        {"NotGif", ByteVec(good.begin() + 1, good.end()), invalid},
        {"NoFrame", GifFile(3, 2, Six, 0, {}), invalid},
        {"NoColours", GifFile(3, 1, {}, 0, {{0, 0, 3, 1, {0, 0, 0}}}),
         "Invalid color format in GIF file."},
        // A screen of 2^28 pixels around a frame of one pixel.
        {"HugeScreen", GifFile(16384, 16384, Six, 0, {{0, 0, 1, 1, {1}}}), readError},
    };
    ExpectRefusals<TGIFGraphic>(cases);
}

}  // namespace
}  // namespace corvane
