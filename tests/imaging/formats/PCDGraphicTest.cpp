#include "imaging/formats/PCDGraphic.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

constexpr size_t BaseOffset = 0x30000, Width = 768, Height = 512;

// An image pack whose base image is neutral grey (luma 100) with a bright square of luma 180 in
// its top left corner and a blue-leaning chroma in its top right one.
ByteVec PcdFile(uint8_t orientation) {
    ByteVec out(BaseOffset + Width * Height * 3 / 2, 0);
    std::memcpy(&out[0x800], "PCD_IPI", 7);
    out[0xE02] = orientation;
    for (size_t pair = 0; pair < Height / 2; ++pair) {
        uint8_t* p = &out[BaseOffset + pair * Width * 3];
        for (size_t row = 0; row < 2; ++row)
            for (size_t x = 0; x < Width; ++x)
                p[row * Width + x] = pair * 2 + row < 16 && x < 16 ? 180 : 100;
        for (size_t x = 0; x < Width / 2; ++x) {
            p[2 * Width + x] = pair < 8 && x >= Width / 2 - 8 ? 200 : 156;  // chroma 1
            p[2 * Width + Width / 2 + x] = 137;                             // chroma 2
        }
    }
    return out;
}

TEST(TPCDGraphic, ConvertsTheBaseImageAndTurnsItUpright) {
    const Pixel grey = MakePixel(136, 136, 136), bright = MakePixel(245, 245, 245);
    // Luma 100 with the neutral chroma 156 / 137 is grey 136; chroma 1 of 200 adds blue.
    const Pixel bluish = MakePixel(136, 117, 233);
    const struct {
        uint8_t Orientation;
        int32_t Width, Height;
        TPoint Bright, Bluish;  // where the two corners end up
    } cases[] = {
        {0, 768, 512, {0, 0}, {767, 0}},
        {1, 512, 768, {0, 767}, {0, 0}},  // the stored top right corner becomes the top left
        {2, 768, 512, {767, 511}, {0, 511}},
        {3, 512, 768, {511, 0}, {511, 767}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Orientation));
        const ByteVec file = PcdFile(c.Orientation);
        TMemoryStream stream(file);
        TPCDGraphic pcd;
        pcd.LoadFromStream(stream);
        ASSERT_EQ(pcd.Width(), c.Width);
        ASSERT_EQ(pcd.Height(), c.Height);
        EXPECT_EQ(pcd.Image().GetPixel(c.Width / 2, c.Height / 2), grey);
        EXPECT_EQ(pcd.Image().GetPixel(c.Bright.X, c.Bright.Y), bright);
        EXPECT_EQ(pcd.Image().GetPixel(c.Bluish.X, c.Bluish.Y), bluish);
    }
}

TEST(TPCDGraphic, ReadsARealFile) {
    // The real file holds the 8 x 6 picture in the middle of a white base image.
    const PixelRows rows = DecodeAs<TPCDGraphic>(RealFile("pcd/base.pcd"));
    ASSERT_EQ(rows.size(), 512u);
    ASSERT_EQ(rows[0].size(), 768u);
    EXPECT_EQ(rows[10][10], White);
    // The tool that wrote it has a luma scale of its own, and the blue that alternates from
    // pixel to pixel cannot survive chroma at half resolution; what must hold is the layout:
    // red grows to the right, green downwards.
    auto channel = [&](size_t x, size_t y, int shift) {
        return int(rows[253 + y][380 + x] >> shift & 255);
    };
    for (size_t y = 0; y < 6; ++y) EXPECT_GT(channel(7, y, 16), channel(0, y, 16) + 50) << y;
    for (size_t x = 0; x < 8; ++x) EXPECT_GT(channel(x, 5, 8), channel(x, 0, 8) + 50) << x;
}

TEST(TPCDGraphic, BadFilesGetTheirMessages) {
    const ByteVec pcd = PcdFile(0);
    ByteVec notPcd = pcd;
    notPcd[0x800] = 'X';
    EXPECT_EQ(DecodeError<TPCDGraphic>(ByteVec(pcd.begin(), pcd.end() - 1)),
              "Stream read error in Photo-CD file.");
    EXPECT_EQ(DecodeError<TPCDGraphic>(notPcd),
              "Cannot load image. Invalid or unexpected Photo-CD image format.");
    EXPECT_EQ(DecodeError<TPCDGraphic>(ByteVec(pcd.begin(), pcd.begin() + 0x900)),
              "Cannot load image. Invalid or unexpected Photo-CD image format.");
}

}  // namespace
}  // namespace corvane
