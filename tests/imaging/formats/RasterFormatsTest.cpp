// Every extension of the further formats loads a file of its format through the picture
// holder, and what loads is a bitmap.
#include "imaging/formats/RasterFormats.h"

#include <gtest/gtest.h>

#include "imaging/Bitmap.h"
#include "imaging/OleGraphic.h"
#include "imaging/Picture.h"
#include "imaging/PictureFile.h"
#include "imaging/formats/TargaGraphic.h"
#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

TEST(RasterFormats, EveryExtensionLoadsItsFormat) {
    TempDir dir;
    const struct {
        const char* Extension;
        const char* File;  // in tests/fuzz/corpus
        const char* Class;
    } cases[] = {
        {"win", "targa/raw24.tga", "TTargaGraphic"},
        {"vst", "targa/rle24.tga", "TTargaGraphic"},
        {"vda", "targa/mapped-top.tga", "TTargaGraphic"},
        {"TGA", "targa/raw24.tga", "TTargaGraphic"},
        {"icb", "targa/grey.tga", "TTargaGraphic"},
        {"tiff", "tiff/zip.tif", "TTIFFGraphic"},
        {"tif", "tiff/lzw.tif", "TTIFFGraphic"},
        {"fax", "tiff/standard.fax", "TTIFFGraphic"},
        {"eps", "eps/preview.eps", "TEPSGraphic"},
        {"pcx", "pcx/rgb24.pcx", "TPCXGraphic"},
        {"pcc", "pcx/palette8.pcx", "TPCXGraphic"},
        {"scr", "pcx/mono.pcx", "TPCXGraphic"},
        {"rpf", "rla/colour.rla", "TRLAGraphic"},
        {"rla", "rla/grey.rla", "TRLAGraphic"},
        {"sgi", "sgi/rle.sgi", "TSGIGraphic"},
        {"rgba", "sgi/alpha.rgba", "TSGIGraphic"},
        {"rgb", "sgi/verbatim.sgi", "TSGIGraphic"},
        {"bw", "sgi/grey.bw", "TSGIGraphic"},
        {"psd", "psd/rle.psd", "TPSDGraphic"},
        {"pdd", "psd/indexed.psd", "TPSDGraphic"},
        {"ppm", "ppm/binary.ppm", "TPPMGraphic"},
        {"pgm", "ppm/text.pgm", "TPPMGraphic"},
        {"pbm", "ppm/binary.pbm", "TPPMGraphic"},
        {"cel", "autodesk/picture.cel", "TAutodeskGraphic"},
        {"pic", "autodesk/picture.cel", "TAutodeskGraphic"},
        {"pcd", "pcd/base.pcd", "TPCDGraphic"},
        {"gif", "gif/interlaced.gif", "TGIFGraphic"},
        {"cut", "cut/grey.cut", "TCUTGraphic"},
        {"psp", "psp/CompositeRgbRunLength.psp", "TPSPGraphic"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Extension);
        const std::string file = dir.Write(std::string("picture.") + c.Extension, RealFile(c.File));
        TPicture picture;
        picture.LoadFromFile(file);
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_STREQ(picture.Graphic()->ClassName(), c.Class);
        EXPECT_GT(picture.Width(), 0);
        // Once loaded it is a bitmap: a plain bitmap takes a copy of its pixels.
        TBitmap copy;
        copy.Assign(*picture.Graphic());
        EXPECT_EQ(Rows(copy.Image()),
                  Rows(dynamic_cast<const TBitmap&>(*picture.Graphic()).Image()));
        EXPECT_EQ(Rows(LoadPictureBitmap(file)), Rows(copy.Image()));
    }
}

TEST(RasterFormats, LargePicturesOfLittleDataStillLoad) {
    // A Targa picture of 5000 x 4000 pixels of one colour in full runs of 128 pixels: about
    // 625 KB that legitimately stand for 20 megapixels.
    ByteVec tga = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Put16(tga, 5000);
    Put16(tga, 4000);
    Append(tga, {24, 0});
    for (int packet = 0; packet < 5000 * 4000 / 128; ++packet)
        Append(tga, {0xFF, 0x10, 0x20, 0x30});
    TMemoryStream stream(tga);
    TTargaGraphic targa;
    targa.LoadFromStream(stream);
    EXPECT_EQ(targa.Width(), 5000);
    EXPECT_EQ(targa.Image().GetPixel(4999, 3999), 0x302010u);
    EXPECT_EQ(targa.Budget().BytesAllocated(), uint64_t(5000) * 4000 * 4);
    EXPECT_EQ(targa.Budget().BytesRead(), tga.size());
}

TEST(RasterFormats, AFailedLoadKeepsThePreviousPictureAndNamesTheFormat) {
    TempDir dir;
    TPicture picture;
    picture.LoadFromFile(dir.Write("first.gif", RealFile("gif/plain.gif")));
    const ByteVec broken = RealFile("psd/rle.psd");
    try {
        picture.LoadFromFile(dir.Write("second.psd", ByteVec(broken.begin(), broken.begin() + 60)));
        ADD_FAILURE() << "loaded";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Stream read error in Photoshop file.");
    }
    EXPECT_STREQ(picture.Graphic()->ClassName(), "TGIFGraphic");
    EXPECT_EQ(Rows(dynamic_cast<const TBitmap&>(*picture.Graphic()).Image()), RealFilePicture());
}

TEST(RasterFormats, GifContentWithoutAnExtensionGoesToTheGifClass) {
    TempDir dir;
    TPicture picture;
    picture.LoadFromFile(dir.Write("animation", RealFile("gif/plain.gif")));
    auto* ole = dynamic_cast<TOleGraphic*>(picture.Graphic());
    ASSERT_NE(ole, nullptr);
    EXPECT_STREQ(ole->Inner()->ClassName(), "TGIFGraphic");
    EXPECT_EQ(picture.Width(), 8);
}

}  // namespace
}  // namespace corvane
