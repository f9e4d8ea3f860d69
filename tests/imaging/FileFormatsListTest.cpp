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

// The registry after start-up, in registration order.
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
    {"win", "Truevision images", "TTargaGraphic"},
    {"vst", "Truevision images", "TTargaGraphic"},
    {"vda", "Truevision images", "TTargaGraphic"},
    {"tga", "Truevision images", "TTargaGraphic"},
    {"icb", "Truevision images", "TTargaGraphic"},
    {"tiff", "Macintosh TIFF images", "TTIFFGraphic"},
    {"tif", "PC TIF images", "TTIFFGraphic"},
    {"fax", "GFI fax images", "TTIFFGraphic"},
    {"eps", "Encapsulated Postscript images", "TEPSGraphic"},
    {"pcx", "ZSoft Paintbrush images", "TPCXGraphic"},
    {"pcc", "ZSoft Paintbrush images", "TPCXGraphic"},
    {"scr", "Word 5.x screen capture images", "TPCXGraphic"},
    {"rpf", "Alias/Wavefront images", "TRLAGraphic"},
    {"rla", "Alias/Wavefront images", "TRLAGraphic"},
    {"sgi", "SGI true color images", "TSGIGraphic"},
    {"rgba", "SGI true color images with alpha", "TSGIGraphic"},
    {"rgb", "SGI true color images", "TSGIGraphic"},
    {"bw", "SGI black/white images", "TSGIGraphic"},
    {"psd", "Photoshop images", "TPSDGraphic"},
    {"pdd", "Photoshop images", "TPSDGraphic"},
    {"ppm", "Portable pixel map images", "TPPMGraphic"},
    {"pgm", "Portable gray map images", "TPPMGraphic"},
    {"pbm", "Portable bitmap images", "TPPMGraphic"},
    {"cel", "Autodesk images", "TAutodeskGraphic"},
    {"pic", "Autodesk images", "TAutodeskGraphic"},
    {"pcd", "Kodak Photo-CD images", "TPCDGraphic"},
    {"gif", "CompuServe images", "TGIFGraphic"},
    {"cut", "Dr. Halo images", "TCUTGraphic"},
    {"psp", "Paintshop Pro images", "TPSPGraphic"},
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

// The further formats' classes with their common descriptions and extension counts, and the
// format kinds of their rows.
TEST(FileFormats, TheFurtherFormatsRegisterTheirClassesAndKinds) {
    std::vector<std::tuple<std::string, std::string, int>> classes;
    for (const auto& c : FileFormatList().Classes())
        classes.emplace_back(c->GraphicClass->Name, c->Description, c->Count);
    const std::vector<std::tuple<std::string, std::string, int>> expected = {
        {"TBitmap", "Windows bitmaps", 3},
        {"TIcon", "Windows icons", 1},
        {"TMetafile", "Windows metafiles", 2},
        {"TJPEGImage", "JPG images", 4},
        {"TTargaGraphic", "Truevision images", 5},
        {"TTIFFGraphic", "Tagged image file format images", 3},
        {"TEPSGraphic", "Encapsulated Postscript images", 1},
        {"TPCXGraphic", "ZSoft Paintbrush images", 3},
        {"TRLAGraphic", "Alias/Wavefront images", 2},
        {"TSGIGraphic", "SGI images", 4},
        {"TPSDGraphic", "Photoshop images", 2},
        {"TPPMGraphic", "Portable map images", 3},
        {"TAutodeskGraphic", "Autodesk images", 2},
        {"TPCDGraphic", "Kodak Photo-CD images", 1},
        {"TGIFGraphic", "CompuServe images", 1},
        {"TCUTGraphic", "Dr. Halo images", 1},
        {"TPSPGraphic", "Paintshop Pro images", 1},
    };
    EXPECT_EQ(classes, expected);
    std::string kinds;
    for (const auto& e : FileFormatList().Extensions())
        kinds += e.Extension + "=" + std::to_string(e.FormatTypes) + " ";
    EXPECT_EQ(kinds,
              "bmp=8 ico=8 wmf=16 emf=16 jfif=8 jpg=8 jpe=8 jpeg=8 rle=8 dib=8 win=8 vst=8 vda=8 "
              "tga=8 icb=8 tiff=12 tif=12 fax=12 eps=8 pcx=8 pcc=8 scr=8 rpf=8 rla=8 sgi=8 rgba=8 "
              "rgb=8 bw=8 psd=10 pdd=10 ppm=8 pgm=8 pbm=8 cel=8 pic=8 pcd=8 gif=13 cut=8 psp=24 ");
}

TEST(FileFormats, StartUpFillsTheTableInOrderAndTheEndEmptiesIt) {
    EXPECT_EQ(RegistryRows(), StartUpRowsWithTodaysFormats());
    const auto& classes = FileFormatList().Classes();
    ASSERT_EQ(classes.size(), 17u);
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
