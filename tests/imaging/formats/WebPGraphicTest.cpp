#include "imaging/formats/WebPGraphic.h"

#include <gtest/gtest.h>

#include "tests/imaging/formats/PhotoFixtures.h"
#include "tests/imaging/formats/PhotoTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

TEST(TWebPGraphic, DecodesLosslessLossyAlphaAndTheFirstFrameOfAnAnimation) {
    constexpr int Block = 16;
    const Bitmap32 blocks = BlockPicture(3, 2, Block);
    const std::vector<std::string> letters = {"ABC", "DEF"};

    auto lossless = LoadAs<TWebPGraphic>(EncodeWebP(blocks, {}, {}));
    EXPECT_EQ(Rows(lossless->Image()), Rows(blocks));
    EXPECT_TRUE(lossless->Alpha().empty());

    WebPOptions lossy;
    lossy.Lossless = false;
    auto photo = LoadAs<TWebPGraphic>(EncodeWebP(blocks, {}, lossy));
    EXPECT_EQ(photo->Width(), 3 * Block);
    EXPECT_EQ(BlockLetters(photo->Image(), Block, 16), letters);

    // Alpha, lossless and lossy: the left column opaque, the rest transparent.
    std::vector<uint8_t> alpha(size_t(blocks.Width()) * blocks.Height(), 0);
    for (int y = 0; y < blocks.Height(); ++y)
        for (int x = 0; x < Block; ++x) alpha[size_t(y) * blocks.Width() + x] = 255;
    for (bool isLossless : {true, false}) {
        WebPOptions options;
        options.Lossless = isLossless;
        auto withAlpha = LoadAs<TWebPGraphic>(EncodeWebP(blocks, alpha, options));
        EXPECT_EQ(withAlpha->Alpha(), alpha) << isLossless;
        const Bitmap32 drawn = DrawnOver(*withAlpha, BlockColour('F'));
        EXPECT_EQ(BlockLetters(drawn, Block, 16), (std::vector<std::string>{"AFF", "DFF"}))
            << isLossless;
    }

    WebPOptions animation;
    animation.AnimationFrames = 3;
    auto first = LoadAs<TWebPGraphic>(EncodeWebP(blocks, {}, animation));
    EXPECT_EQ(BlockLetters(first->Image(), Block, 0), letters);
}

TEST(TWebPGraphic, RefusesCutDamagedAndLyingFilesSayingWhy) {
    WebPOptions lossy;
    lossy.Lossless = false;
    const ByteVec good = EncodeWebP(BlockPicture(8, 8, 16), {}, lossy);
    const std::string prefix = "WebP image is not valid: ";
    const ByteVec cut(good.begin(), good.begin() + ptrdiff_t(good.size() / 2));
    EXPECT_EQ(LoadErrorOf<TWebPGraphic>(cut), prefix + "the file ends early");
    EXPECT_EQ(LoadErrorOf<TWebPGraphic>({'R', 'I', 'F', 'F', 1, 0, 0, 0, 'W', 'A', 'V', 'E'}),
              prefix + "not a WebP file");
    ByteVec damagedHeader = good;
    damagedHeader[23] ^= 0xFF;  // the frame's start code
    EXPECT_EQ(LoadErrorOf<TWebPGraphic>(damagedHeader), prefix + "its data is damaged");

    // The frame header states 16383 x 16383 over a first partition of a few dozen bytes, in a
    // file and as a bare bitstream: refused before anything is allocated.
    ByteVec lying = good;
    for (size_t at : {26u, 28u}) {
        lying[at] = 0xFF;
        lying[at + 1] = 0x3F;
    }
    for (const ByteVec& bytes : {lying, ByteVec(lying.begin() + 20, lying.end())}) {
        TMemoryStream stream(bytes);
        TWebPGraphic webp;
        try {
            webp.LoadFromStream(stream);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(std::string(e.what()),
                      prefix + "its image data is too short for 16383 x 16383 pixels (the file "
                               "is cut short or damaged)");
        }
        EXPECT_EQ(webp.Budget().BytesAllocated(), 0u);
    }
}

}  // namespace
}  // namespace corvane
