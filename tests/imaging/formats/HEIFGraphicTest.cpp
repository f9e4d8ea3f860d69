// HEIC and AVIF, both through libheif.
#include "imaging/formats/HEIFGraphic.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "imaging/formats/AVIFGraphic.h"
#include "tests/imaging/formats/PhotoFixtures.h"
#include "tests/imaging/formats/PhotoTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

template <typename T>
void ExpectDecodes(bool avif) {
    constexpr int Block = 16;
    const Bitmap32 blocks = BlockPicture(3, 2, Block);
    auto plain = LoadAs<T>(EncodeHeif(blocks, avif));
    EXPECT_EQ(plain->Width(), 3 * Block);
    EXPECT_EQ(plain->Height(), 2 * Block);
    EXPECT_EQ(BlockLetters(plain->Image(), Block, 24), (std::vector<std::string>{"ABC", "DEF"}));
    EXPECT_TRUE(plain->Alpha().empty());

    // The file's own turn (a quarter clockwise) is libheif's: applied once.
    auto turned = LoadAs<T>(EncodeHeif(blocks, avif, 6));
    EXPECT_EQ(turned->Width(), 2 * Block);
    EXPECT_EQ(turned->Height(), 3 * Block);
    EXPECT_EQ(BlockLetters(turned->Image(), Block, 24),
              (std::vector<std::string>{"DA", "EB", "FC"}));

    // The right half transparent, over the background.
    auto withAlpha = LoadAs<T>(EncodeHeif(BlockPicture(2, 2, Block), avif, 1, true));
    ASSERT_FALSE(withAlpha->Alpha().empty());
    EXPECT_EQ(BlockLetters(DrawnOver(*withAlpha, BlockColour('F')), Block, 24),
              (std::vector<std::string>{"AF", "CF"}));
}

TEST(THEIFGraphic, DecodesTheTurnedPrimaryImageWithAlpha) {
    ExpectDecodes<THEIFGraphic>(false);
}

TEST(TAVIFGraphic, DecodesTheTurnedPrimaryImageWithAlpha) {
    ExpectDecodes<TAVIFGraphic>(true);
}

template <typename T>
std::vector<std::string> RefusalsOf(bool avif) {
    const ByteVec good = EncodeHeif(BlockPicture(3, 2, 16), avif);
    const ByteVec cut(good.begin(), good.begin() + ptrdiff_t(good.size() / 2));
    return {LoadErrorOf<T>(cut), LoadErrorOf<T>(Damaged(good)),
            LoadErrorOf<T>({0, 0, 0, 8, 'f', 'r', 'e', 'e'})};
}

TEST(THEIFGraphic, RefusesCutDamagedAndForeignFilesWithLibheifsReason) {
    for (const auto& [avif, errors] : {std::pair{false, RefusalsOf<THEIFGraphic>(false)},
                                       {true, RefusalsOf<TAVIFGraphic>(true)}})
        for (const std::string& error : errors) {
            const std::string prefix =
                std::string(avif ? "AVIF" : "HEIF") + " image is not valid: ";
            EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
            EXPECT_GT(error.size(), prefix.size() + 4) << error;  // and why
        }
}

TEST(THEIFGraphic, AGridStatingACanvasFarBeyondItsSizeIsRefusedBeforeDecoding) {
    // Found by the fuzz target: 876 bytes whose grid states 27759 x 14441 pixels under an "ispe"
    // of 8 x 12, which cost half a minute and 2.3 GB before libheif was given a limit.
    std::ifstream in(std::string(CORVANE_SOURCE_DIR) +
                         "/tests/fuzz/corpus/heif/grid-canvas-beyond-its-size.heic",
                     std::ios::binary);
    const ByteVec bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 876u);
    EXPECT_EQ(LoadErrorOf<THEIFGraphic>(bytes),
              "HEIF image is not valid: Memory allocation error: Security limit exceeded: Image "
              "size 14441x27759 exceeds the maximum image size 2061x2061");
}

}  // namespace
}  // namespace corvane
