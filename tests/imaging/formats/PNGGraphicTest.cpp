#include "imaging/formats/PNGGraphic.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "tests/imaging/formats/PhotoFixtures.h"
#include "tests/imaging/formats/PhotoTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;
using PixelRows = std::vector<std::vector<Pixel>>;

Pixel Grey(uint8_t g) {
    return MakePixel(g, g, g);
}

TEST(TPNGGraphic, DecodesEveryColourTypeAndDepthToKnownPixels) {
    const Bitmap32 colours = MakeImage({{MakePixel(200, 10, 30), MakePixel(0, 255, 1), 0xFFFFFF},
                                        {0, MakePixel(17, 34, 51), MakePixel(9, 8, 7)}});
    // Grey pictures whose levels each depth holds exactly.
    const Bitmap32 bw = MakeImage({{0, Grey(255), 0}, {Grey(255), Grey(255), 0}});
    const Bitmap32 grey2 = MakeImage({{0, Grey(85), Grey(170)}, {Grey(255), 0, Grey(85)}});
    const Bitmap32 grey4 = MakeImage({{Grey(17), Grey(255), 0}, {Grey(34), Grey(238), Grey(51)}});
    const Bitmap32 grey8 = MakeImage({{Grey(1), Grey(128), Grey(254)}, {0, Grey(77), Grey(255)}});
    const std::vector<uint8_t> alpha = {255, 0, 128, 1, 254, 255};
    const struct {
        const char* What;
        const Bitmap32& Image;
        PngOptions Options;
        bool WithAlpha;
    } cases[] = {
        {"RGB, 8 bits", colours, {2, 8, {}}, false},
        {"RGB, 16 bits", colours, {2, 16, {}}, false},
        {"RGBA, 8 bits", colours, {6, 8, {}}, true},
        {"RGBA, 16 bits", colours, {6, 16, {}}, true},
        {"palette", colours, {3, 8, {}}, false},
        {"palette with transparency", colours, {3, 8, {}}, true},
        {"grey, 1 bit", bw, {0, 1, {}}, false},
        {"grey, 2 bits", grey2, {0, 2, {}}, false},
        {"grey, 4 bits", grey4, {0, 4, {}}, false},
        {"grey, 8 bits", grey8, {0, 8, {}}, false},
        {"grey, 16 bits", grey8, {0, 16, {}}, false},
        {"grey and alpha", grey8, {4, 8, {}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        auto png = LoadAs<TPNGGraphic>(
            EncodePngOf(c.Image, c.WithAlpha ? alpha : std::vector<uint8_t>{}, c.Options));
        ASSERT_EQ(png->Width(), 3);
        ASSERT_EQ(png->Height(), 2);
        EXPECT_EQ(Rows(png->Image()), Rows(c.Image));
        EXPECT_EQ(png->Alpha(), c.WithAlpha ? alpha : std::vector<uint8_t>{});
        EXPECT_EQ(png->Transparent(), c.WithAlpha);
    }
}

TEST(TPNGGraphic, ComposesTransparencyOverTheBackgroundAndCopiesKeepIt) {
    const Bitmap32 red(2, 1, MakePixel(255, 0, 0));
    auto png = LoadAs<TPNGGraphic>(EncodePngOf(red, {255, 0}, {6, 8, {}}));
    const Pixel background = MakePixel(0, 0, 200);
    EXPECT_EQ(Rows(DrawnOver(*png, background)), (PixelRows{{MakePixel(255, 0, 0), background}}));
    auto half = LoadAs<TPNGGraphic>(EncodePngOf(red, {128, 128}, {6, 8, {}}));
    EXPECT_EQ(DrawnOver(*half, background).GetPixel(0, 0), MakePixel(128, 0, 100));

    const std::unique_ptr<TGraphic> copy = png->Clone();
    EXPECT_STREQ(copy->ClassName(), "TPNGGraphic");
    EXPECT_EQ(Rows(DrawnOver(*copy, background)), Rows(DrawnOver(*png, background)));
}

TEST(TPNGGraphic, RefusesCutDamagedAndLyingFilesSayingWhy) {
    const ByteVec good = EncodePngOf(BlockPicture(3, 2, 16), {}, {});
    const ByteVec cut(good.begin(), good.begin() + ptrdiff_t(good.size() * 2 / 3));
    const std::string prefix = "PNG image is not valid: ";
    EXPECT_EQ(LoadErrorOf<TPNGGraphic>(cut),
              prefix +
                  "the image data is too short for 48 x 32 pixels (the file is cut short "
                  "or damaged)");
    // libpng's own words: what it finds depends on where the data breaks.
    const std::string damaged = LoadErrorOf<TPNGGraphic>(Damaged(good));
    EXPECT_EQ(damaged.rfind(prefix + "IDAT: ", 0), 0u) << damaged;
    EXPECT_EQ(LoadErrorOf<TPNGGraphic>({'G', 'I', 'F', '8', '9', 'a'}), prefix + "not a PNG file");

    // The header states 16384 x 16384 over the data of a 48 x 32 picture: refused before the
    // pixels are allocated.
    ByteVec lying = good;
    for (size_t at : {16u, 20u}) {
        lying[at] = 0;
        lying[at + 1] = 0;
        lying[at + 2] = 0x40;
        lying[at + 3] = 0;
    }
    const uint32_t crc = uint32_t(crc32(0, lying.data() + 12, 17));
    for (int i = 0; i < 4; ++i) lying[29 + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
    TMemoryStream stream(lying);
    TPNGGraphic png;
    EXPECT_THROW(png.LoadFromStream(stream), EInvalidGraphic);
    EXPECT_EQ(png.Budget().BytesAllocated(), 0u);
    EXPECT_EQ(png.Budget().BytesRead(), lying.size());
}

}  // namespace
}  // namespace corvane
