#include "imaging/formats/TargaGraphic.h"

#include <gtest/gtest.h>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

struct TgaSpec {
    uint8_t Type;
    uint8_t Depth;
    uint8_t Descriptor = 0;
    uint16_t Width = 3, Height = 2;
    ByteVec Map;  // colour map entries as stored
    uint16_t MapStart = 0, MapLength = 0;
    uint8_t MapDepth = 0;
    ByteVec Data;
};

ByteVec TgaFile(const TgaSpec& s) {
    ByteVec out = {3, uint8_t(s.MapLength ? 1 : 0), s.Type};
    Put16(out, s.MapStart);
    Put16(out, s.MapLength);
    out.push_back(s.MapDepth);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, s.Width);
    Put16(out, s.Height);
    out.push_back(s.Depth);
    out.push_back(s.Descriptor);
    Append(out, {'i', 'd', '!'});  // the identification text is skipped
    Append(out, s.Map);
    Append(out, s.Data);
    return out;
}

ByteVec Bgr(std::initializer_list<Pixel> pixels, bool alpha = false) {
    ByteVec out;
    for (Pixel p : pixels) {
        Append(out, {PixelBlue(p), PixelGreen(p), PixelRed(p)});
        if (alpha) out.push_back(0x40);
    }
    return out;
}

ByteVec Le16s(std::initializer_list<uint16_t> values) {
    ByteVec out;
    for (uint16_t v : values) Put16(out, v);
    return out;
}

TEST(TTargaGraphic, DecodesEveryDepthOrderAndEncoding) {
    const Pixel grey5 = 0x848484;  // 16 of 31, widened
    const struct {
        const char* Name;
        TgaSpec Spec;
        PixelRows Expected;
    } cases[] = {
        {"TrueColour24FromTheBottom",
         {2, 24, 0, 3, 2, {}, 0, 0, 0, Bgr({White, Black, Grey, Red, Green, Blue})},
         Picture3x2},
        {"TrueColour32FromTheTopRightToLeft",
         {2, 32, 0x38, 3, 2, {}, 0, 0, 0, Bgr({Blue, Green, Red, Grey, Black, White}, true)},
         Picture3x2},
        {"TrueColour16",
         {2, 16, 0x20, 3, 1, {}, 0, 0, 0, Le16s({0x7C00, 0x83E0, 0x4210})},
         {{Red, Green, grey5}}},
        {"TrueColour15",
         {2, 15, 0x20, 2, 1, {}, 0, 0, 0, Le16s({0x001F, 0x7FFF})},
         {{Blue, White}}},
        {"Grey8", {3, 8, 0x20, 3, 1, {}, 0, 0, 0, {0, 0x80, 0xFF}}, {{Black, Grey, White}}},
        {"GreyWithAlpha16", {3, 16, 0x20, 2, 1, {}, 0, 0, 0, {0x80, 9, 0xFF, 0}}, {{Grey, White}}},
        // The map starts at index 10: index 9 lies before it and is black.
        {"Mapped8With24BitMap",
         {1, 8, 0x20, 3, 1, Bgr({Red, Green}), 10, 2, 24, {11, 10, 9}},
         {{Green, Red, Black}}},
        {"Mapped16With16BitMap",
         {1, 16, 0x20, 2, 1, Le16s({0x03E0, 0x7C00}), 0, 2, 16, Le16s({1, 0})},
         {{Red, Green}}},
        // A run of three white crosses from the bottom row into the top row.
        {"RunLength24",
         {10,
          24,
          0,
          3,
          2,
          {},
          0,
          0,
          0,
          [] {
              ByteVec d = {0x00};
              Append(d, Bgr({Grey}));
              Append(d, {0x82});
              Append(d, Bgr({White}));
              Append(d, {0x01});
              Append(d, Bgr({Red, Green}));
              return d;
          }()},
         {{White, Red, Green}, {Grey, White, White}}},
        {"RunLengthMapped",
         {9, 8, 0x20, 3, 1, Bgr({Blue, White}), 0, 2, 24, {0x81, 1, 0x00, 0}},
         {{White, White, Blue}}},
        {"RunLengthGrey",
         {11, 8, 0x20, 4, 1, {}, 0, 0, 0, {0x83, 0x80}},
         {{Grey, Grey, Grey, Grey}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const ByteVec file = TgaFile(c.Spec);
        KeepAsSeed("targa", std::string(c.Name) + ".tga", file);
        EXPECT_EQ(DecodeAs<TTargaGraphic>(file), c.Expected);
    }
}

TEST(TTargaGraphic, ReadsRealFiles) {
    for (const char* name : {"raw24.tga", "rle24.tga", "mapped-top.tga"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(DecodeAs<TTargaGraphic>(RealFile(std::string("targa/") + name)),
                  RealFilePicture());
    }
    const PixelRows grey = DecodeAs<TTargaGraphic>(RealFile("targa/grey.tga"));
    ASSERT_EQ(grey.size(), 6u);
    EXPECT_EQ(grey[0][0], Black);
    for (const auto& row : grey)
        for (Pixel p : row)
            EXPECT_TRUE(PixelRed(p) == PixelGreen(p) && PixelGreen(p) == PixelBlue(p));
}

TEST(TTargaGraphic, BadFilesGetTheirMessages) {
    const std::string invalid = "Cannot load image. Invalid or unexpected Targa image format.";
    const std::string readError = "Stream read error in Targa file.";
    const std::string colour = "Invalid color format in Targa file.";
    ByteVec raw =
        TgaFile({2, 24, 0, 3, 2, {}, 0, 0, 0, Bgr({White, Black, Grey, Red, Green, Blue})});
    ByteVec rle = TgaFile({10, 24, 0, 3, 2, {}, 0, 0, 0, {0x85, 1, 2, 3}});
    ByteVec huge = TgaFile({11, 8, 0, 16384, 16384, {}, 0, 0, 0, ByteVec(300, 0xFF)});
    const TBadFile cases[] = {
        {"HeaderCut", ByteVec(raw.begin(), raw.begin() + 10), readError},
        {"PixelsCut", ByteVec(raw.begin(), raw.end() - 1), readError},
        {"RunsCut", ByteVec(rle.begin(), rle.end() - 1), readError},
        {"NoImage", TgaFile({0, 24, 0, 3, 2, {}, 0, 0, 0, {}}), invalid},
        {"UnknownType", TgaFile({7, 24, 0, 3, 2, {}, 0, 0, 0, ByteVec(18)}), invalid},
        {"ZeroWidth", TgaFile({2, 24, 0, 0, 2, {}, 0, 0, 0, {}}), invalid},
        {"Depth12", TgaFile({2, 12, 0, 3, 2, {}, 0, 0, 0, ByteVec(18)}), colour},
        {"MappedWithoutMap", TgaFile({1, 8, 0, 3, 2, {}, 0, 0, 0, ByteVec(6)}), colour},
        // 2^28 pixels stated in 300 bytes of runs: refused before anything is allocated.
        {"HugeRuns", huge, readError},
    };
    ExpectRefusals<TTargaGraphic>(cases);
}

}  // namespace
}  // namespace corvane
