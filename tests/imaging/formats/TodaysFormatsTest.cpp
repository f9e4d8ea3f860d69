// Today's formats in the registry: their rows after the format table's, loading by extension in
// any letter case, and by content for files without an extension.
#include "imaging/formats/TodaysFormats.h"

#include <gtest/gtest.h>

#include "imaging/FileFormatsList.h"
#include "imaging/OleGraphic.h"
#include "imaging/Picture.h"
#include "tests/imaging/formats/PhotoFixtures.h"

namespace corvane {
namespace {

using namespace corvane::testing;

TEST(TodaysFormats, RegisterAfterTheTableRows) {
    const auto& entries = FileFormats().Entries();
    ASSERT_GE(entries.size(), 6u);
    const size_t first = entries.size() - 5;
    EXPECT_STREQ(entries[first - 1].GraphicClass->Name, "TOleGraphic");  // the table's last row
    const std::vector<std::tuple<std::string, std::string, std::string>> expected = {
        {"png", "Portable Network Graphics", "TPNGGraphic"},
        {"webp", "WebP image", "TWebPGraphic"},
        {"heic", "High Efficiency Image File", "THEIFGraphic"},
        {"heif", "High Efficiency Image File", "THEIFGraphic"},
        {"avif", "AV1 Image File", "TAVIFGraphic"},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& entry = entries[first + i];
        EXPECT_EQ(std::make_tuple(entry.Extension, entry.Description,
                                  std::string(entry.GraphicClass->Name)),
                  expected[i]);
    }
}

TEST(TodaysFormats, LoadByExtensionAndWithoutOneByContent) {
    TempDir dir;
    const Bitmap32 blocks = BlockPicture(3, 2, 16);
    WebPOptions lossy;
    lossy.Lossless = false;
    const std::vector<std::tuple<std::string, ByteVec, const char*>> files = {
        {"Screenshot.PNG", EncodePngOf(blocks, {}, {}), "TPNGGraphic"},
        {"download.webp", EncodeWebP(blocks, {}, lossy), "TWebPGraphic"},
        {"IMG_0001.HEIC", EncodeHeif(blocks, false), "THEIFGraphic"},
        {"camera.heif", EncodeHeif(blocks, false), "THEIFGraphic"},
        {"phone.avif", EncodeHeif(blocks, true), "TAVIFGraphic"},
    };
    for (const auto& [name, bytes, className] : files) {
        SCOPED_TRACE(name);
        TPicture byName;
        byName.LoadFromFile(dir.Write(name, bytes));
        EXPECT_STREQ(byName.Graphic()->ClassName(), className);
        EXPECT_EQ(byName.Width(), 48);
        EXPECT_EQ(byName.Height(), 32);

        TPicture byContent;
        byContent.LoadFromFile(dir.Write(name.substr(0, name.find('.')), bytes));
        const auto* ole = dynamic_cast<const TOleGraphic*>(byContent.Graphic());
        ASSERT_NE(ole, nullptr);
        EXPECT_STREQ(ole->Inner()->ClassName(), className);
        EXPECT_EQ(byContent.Width(), 48);
    }
}

}  // namespace
}  // namespace corvane
