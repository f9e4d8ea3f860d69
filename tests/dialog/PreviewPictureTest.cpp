// The picture the preview shows: a picture with transparent parts is drawn over the background,
// the others are taken as they are.

#include <gtest/gtest.h>

#include "dialog/PreviewPicture.h"
#include "imaging/formats/PNGGraphic.h"
#include "tests/imaging/formats/PhotoTesting.h"

namespace corvane {
namespace {

TEST(PreviewPicture, TransparentPartsShowTheBackground) {
    const Bitmap32 image(2, 1, 0x00FF0000);
    const Pixel background = 0x0000FF00;
    const auto opaque = testing::LoadAs<TPNGGraphic>(testing::EncodePng(image, {255, 255}));
    const auto seeThrough = testing::LoadAs<TPNGGraphic>(testing::EncodePng(image, {255, 0}));

    const Bitmap32 plain = PictureBitmap(*opaque, background);
    EXPECT_EQ(plain.GetPixel(0, 0), 0x00FF0000u);
    EXPECT_EQ(plain.GetPixel(1, 0), 0x00FF0000u);
    const Bitmap32 drawn = PictureBitmap(*seeThrough, background);
    EXPECT_EQ(drawn.GetPixel(0, 0), 0x00FF0000u);
    EXPECT_EQ(drawn.GetPixel(1, 0), background);
}

}  // namespace
}  // namespace corvane
