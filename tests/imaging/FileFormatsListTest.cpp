#include "imaging/FileFormatsList.h"

#include <gtest/gtest.h>

#include "imaging/FileFormatList.h"
#include "imaging/ImagingErrors.h"
#include "imaging/PictureFormats.h"

namespace corvane {
namespace {

struct Row {
    std::string Extension, Description, Class;
    friend bool operator==(const Row&, const Row&) = default;
    friend std::ostream& operator<<(std::ostream& o, const Row& r) {
        return o << r.Extension << " | " << r.Description << " | " << r.Class;
    }
};

std::vector<Row> RegistryRows() {
    std::vector<Row> rows;
    for (const auto& e : FileFormats().Entries()) {
        rows.push_back(Row{e.Extension, e.Description, e.GraphicClass->Name});
        EXPECT_EQ(e.DescResID, 0);
    }
    return rows;
}

// The registry after start-up, in registration order; the further raster formats are not built
// in, so the loader for files without an extension follows the Windows formats directly.
const std::vector<Row> StartUpRows = {
    {"wmf", "Metafiles", "TMetafile"},
    {"emf", "Enhanced Metafiles", "TMetafile"},
    {"ico", "Icons", "TIcon"},
    {"bmp", "Bitmaps", "TBitmap"},
    {"jpeg", "JPEG Image File", "TJPEGImage"},
    {"jpg", "JPEG Image File", "TJPEGImage"},
    {"bmp", "Windows bitmaps", "TBitmap"},
    {"ico", "Windows icons", "TIcon"},
    {"wmf", "Windows metafiles", "TMetafile"},
    {"emf", "Windows enhanced meta files", "TMetafile"},
    {"jfif", "JFIF images", "TJPEGImage"},
    {"jpg", "JPG images", "TJPEGImage"},
    {"jpe", "JPE images", "TJPEGImage"},
    {"jpeg", "JPEG images", "TJPEGImage"},
    {"rle", "Run length encoded Windows bitmaps", "TBitmap"},
    {"dib", "Device independant Windows bitmaps", "TBitmap"},
    {"", "", "TOleGraphic"},
};

// The table's rows, and after them today's formats.
std::vector<Row> StartUpRowsWithTodaysFormats() {
    std::vector<Row> rows = StartUpRows;
    rows.insert(rows.end(), {{"png", "Portable Network Graphics", "TPNGGraphic"},
                             {"webp", "WebP image", "TWebPGraphic"},
                             {"heic", "High Efficiency Image File", "THEIFGraphic"},
                             {"heif", "High Efficiency Image File", "THEIFGraphic"},
                             {"avif", "AV1 Image File", "TAVIFGraphic"}});
    return rows;
}

TEST(FileFormats, StartUpFillsTheTableInOrderAndTheEndEmptiesIt) {
    EXPECT_EQ(RegistryRows(), StartUpRowsWithTodaysFormats());
    const auto& classes = FileFormatList().Classes();
    ASSERT_EQ(classes.size(), 4u);
    EXPECT_EQ(classes[0]->Description, "Windows bitmaps");
    EXPECT_EQ(classes[0]->Count, 3);  // bmp, rle, dib
    EXPECT_EQ(classes[3]->Description, "JPG images");
    EXPECT_EQ(classes[3]->Count, 4);
    EXPECT_EQ(FileFormatList().Extensions()[3].FormatTypes, uint32_t(ftVector));

    UnregisterPictureFormats();
    // Only the built-in entries that a fresh registry starts with are left.
    EXPECT_EQ(RegistryRows(), std::vector<Row>(StartUpRows.begin(), StartUpRows.begin() + 4));
    EXPECT_EQ(FileFormats().FindExt("jpg"), nullptr);
    EXPECT_TRUE(FileFormatList().Extensions().empty());
    RegisterPictureFormats();
    EXPECT_EQ(RegistryRows(), StartUpRowsWithTodaysFormats());
}

TEST(FileFormats, LookupIsCaseBlindAndTheNewestEntryWins) {
    EXPECT_STREQ(FileFormats().FindExt("JPG")->Name, "TJPEGImage");
    EXPECT_STREQ(FileFormats().FindExt("")->Name, "TOleGraphic");
    EXPECT_EQ(FileFormats().FindExt("xcf"), nullptr);

    const TGraphicClass* ole = FileFormats().FindExt("");
    RegisterFileFormat("BMP", "test", ole);  // stored lower-cased, found first
    EXPECT_EQ(FileFormats().Entries().back().Extension, "bmp");
    EXPECT_EQ(FileFormats().FindExt("bmp"), ole);
    UnregisterGraphicClass(ole);
    EXPECT_STREQ(FileFormats().FindExt("bmp")->Name, "TBitmap");
    EXPECT_EQ(FileFormats().FindExt(""), nullptr);
    RegisterFileFormat("", "", ole);
}

TEST(FileFormats, RegisteringAnExtensionTwiceIsRefusedUnlessReplacing) {
    const size_t before = FileFormats().Entries().size();
    const TGraphicClass* bitmap = FileFormats().FindExt("bmp");
    try {
        FileFormatList().RegisterFileFormat("DIB", "", "again", ftRaster, false, bitmap);
        FAIL() << "registered twice";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Attempt to register DIB twice.");
    }
    EXPECT_EQ(FileFormats().Entries().size(), before);

    FileFormatList().RegisterFileFormat("dib", "", "", ftRaster, true, bitmap);
    EXPECT_EQ(FileFormats().Entries().back().Description, "Windows bitmaps");  // the common one
    EXPECT_EQ(FileFormatList().Classes()[0]->Count, 3);
    FileFormats().Remove(bitmap);
    UnregisterPictureFormats();
    RegisterPictureFormats();
    EXPECT_EQ(RegistryRows(), StartUpRowsWithTodaysFormats());
}

}  // namespace
}  // namespace corvane
