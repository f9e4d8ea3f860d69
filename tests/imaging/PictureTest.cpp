#include "imaging/Picture.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/Bitmap.h"
#include "imaging/ImagingErrors.h"
#include "imaging/JPEGImage.h"
#include "imaging/OleGraphic.h"
#include "imaging/PictureFile.h"
#include "imaging/PictureFormats.h"
#include "tests/imaging/ImagingFixtures.h"

namespace corvane {
namespace {

using namespace corvane::testing;

constexpr Pixel R = 0xFF0000, B = 0x0000FF;

ByteVec RedBlueBmp() {
    return BmpFile({40, 2, 1, 24, 0, {}, {}, PackRows({{0, 0, 255, 255, 0, 0}})});
}
ByteVec Jpeg3x2() {
    return EncodeJpeg(Bitmap32(3, 2, 0x336699), false);
}

std::string LoadError(TPicture& picture, const std::string& file) {
    try {
        picture.LoadFromFile(file);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "loaded";
}

TEST(TPicture, ExtensionDecidesTheClass) {
    TempDir dir;
    struct Case {
        std::string Name;
        ByteVec Bytes;
        const char* Class;  // or the error message
    };
    const std::vector<Case> cases = {
        {"PHOTO.JPG", Jpeg3x2(), "TJPEGImage"},  // the lookup ignores case
        {"photo.Jpe", Jpeg3x2(), "TJPEGImage"},
        {"photo.jfif", Jpeg3x2(), "TJPEGImage"},
        {"picture.Bmp", RedBlueBmp(), "TBitmap"},
        {"scan.dib", RedBlueBmp(), "TBitmap"},
        {"scan.rle", RedBlueBmp(), "TBitmap"},
        {"readme", RedBlueBmp(), "TOleGraphic"},
        {"pics.v2/readme", Jpeg3x2(), "TOleGraphic"},  // the dot of the folder does not count
        {"photo.jpeg.bak", Jpeg3x2(), "Unknown picture file extension (.bak)"},
        {"picture.XCF", RedBlueBmp(), "Unknown picture file extension (.XCF)"},
        {"trailing.", RedBlueBmp(), "TOleGraphic"},  // an empty extension after the dot
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string file = dir.Write(c.Name, c.Bytes);
        TPicture picture;
        const std::string error = LoadError(picture, file);
        if (error == "loaded")
            EXPECT_STREQ(picture.Graphic()->ClassName(), c.Class);
        else
            EXPECT_EQ(error, c.Class);
    }
}

TEST(TPicture, AFailedLoadKeepsThePreviousPicture) {
    TempDir dir;
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TPicture&) { ++changes; };
    picture.LoadFromFile(dir.Write("first.bmp", RedBlueBmp()));
    ASSERT_EQ(changes, 1);
    const TGraphic* first = picture.Graphic();

    ByteVec broken = RedBlueBmp();
    broken.resize(broken.size() - 1);
    for (const std::string& second :
         {dir.Write("second.bmp", broken), dir.Write("second.jpg", {0xFF, 0xD8, 0xFF}),
          (dir.Path() / "missing.bmp").string(), dir.Write("second.xyz", {})}) {
        SCOPED_TRACE(second);
        EXPECT_THROW(picture.LoadFromFile(second), std::runtime_error);
        EXPECT_EQ(picture.Graphic(), first);
        EXPECT_EQ(picture.Width(), 2);
        EXPECT_EQ(picture.Height(), 1);
        EXPECT_EQ(static_cast<const TBitmap*>(first)->Image().GetPixel(0, 0), R);
    }
    EXPECT_EQ(changes, 1);
}

TEST(TPicture, AFileThatCannotBeOpenedGivesTheOpenError) {
    TempDir dir;
    TPicture picture;
    const std::string missing = (dir.Path() / "missing.bmp").string();
    EXPECT_THROW(picture.LoadFromFile(missing), EFOpenError);
    EXPECT_EQ(LoadError(picture, missing),
              "Cannot open file \"" + missing + "\". No such file or directory");
    EXPECT_THROW(picture.LoadFromFile(dir.Path().string() + "/sub.bmp/"), EFOpenError);

    // A named pipe would block an ordinary open and a device may never end: both are refused.
    const std::string pipe = (dir.Path() / "pipe.bmp").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(LoadError(picture, pipe), "Cannot open file \"" + pipe + "\". Not a regular file");
    EXPECT_THROW(picture.LoadFromFile("/dev/zero"), EFOpenError);

    // A file another process holds exclusively cannot be opened for shared reading.
    const std::string locked = dir.Write("locked.bmp", RedBlueBmp());
    const int handle = open(locked.c_str(), O_RDONLY);
    ASSERT_EQ(flock(handle, LOCK_EX), 0);
    EXPECT_THROW(picture.LoadFromFile(locked), EFOpenError);
    close(handle);
    picture.LoadFromFile(locked);
    EXPECT_EQ(picture.Width(), 2);
}

TEST(TPicture, NotificationsCanBeSuspendedAndFollowCopies) {
    TempDir dir;
    TPicture picture;
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Graphic(), nullptr);
    int changes = 0;
    picture.OnChange = [&](TPicture&) { ++changes; };
    {
        TPicture::ChangeSuspension quiet(picture);
        picture.LoadFromFile(dir.Write("a.bmp", RedBlueBmp()));
    }
    EXPECT_EQ(changes, 0);
    static_cast<TBitmap*>(picture.Graphic())->SetImage(Bitmap32(5, 5));  // the graphic changes
    EXPECT_EQ(changes, 1);

    TPicture copy(picture);
    int copyChanges = 0;
    copy.OnChange = [&](TPicture&) { ++copyChanges; };
    ASSERT_NE(copy.Graphic(), picture.Graphic());
    EXPECT_EQ(copy.Width(), 5);
    static_cast<TBitmap*>(copy.Graphic())->SetImage(Bitmap32(1, 1));
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(changes, 1);  // the original is neither changed nor told
    EXPECT_EQ(picture.Width(), 5);

    picture.Assign(copy);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(picture.Width(), 1);
    picture.SetGraphic(nullptr);
    EXPECT_EQ(picture.Height(), 0);
    EXPECT_EQ(changes, 3);
}

TEST(TPicture, PassesTheLoadsProgressOn) {
    TempDir dir;
    TPicture picture;
    std::vector<std::pair<TProgressStage, int>> seen;
    picture.OnProgress = [&](TPicture&, TProgressStage stage, int percent) {
        seen.emplace_back(stage, percent);
    };
    picture.LoadFromFile(dir.Write("a.bmp", RedBlueBmp()));
    EXPECT_EQ(seen, (std::vector<std::pair<TProgressStage, int>>{
                        {TProgressStage::psStarting, 0}, {TProgressStage::psEnding, 100}}));
}

TEST(TPicture, JpegSizeIsKnownBeforeDecoding) {
    TempDir dir;
    TPicture picture;
    picture.LoadFromFile(dir.Write("photo.jpg", Jpeg3x2()));
    auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_FALSE(jpeg->Decoded());
    Bitmap32 target(3, 2);
    jpeg->Draw(target, TRect{0, 0, 3, 2});
    EXPECT_TRUE(jpeg->Decoded());
    EXPECT_NEAR(PixelRed(target.GetPixel(1, 1)), 0x33, 3);
}

TEST(LoadPictureBitmap, DrawsThePictureAtItsSizeOverTheBackground) {
    TempDir dir;
    const Bitmap32 bmp = LoadPictureBitmap(dir.Write("a.bmp", RedBlueBmp()), 0x123456);
    EXPECT_EQ(Rows(bmp), (std::vector<std::vector<Pixel>>{{R, B}}));
    EXPECT_EQ(bmp.Order(), Bitmap32::RowOrder::BottomUp);

    // An icon whose mask leaves its right pixel out shows the background there.
    const ByteVec dib =
        DibBytes({40, 2, 4, 24, 0, {}, {}, [] {
                      ByteVec bits = PackRows({{0, 0, 255, 0, 0, 255}, {0, 0, 255, 0, 0, 255}});
                      Append(bits, PackRows({{0x40}, {0x40}}));
                      return bits;
                  }()});
    const Bitmap32 icon =
        LoadPictureBitmap(dir.Write("a.ico", IconFile({{2, 2, 24, dib}})), 0x123456);
    EXPECT_EQ(Rows(icon), (std::vector<std::vector<Pixel>>{{R, 0x123456}, {R, 0x123456}}));

    EXPECT_THROW(LoadPictureBitmap(dir.Write("a.png", {})), EInvalidGraphic);

    // A tool that never filled the registry still reads every class.
    UnregisterPictureFormats();
    ASSERT_FALSE(PictureFormatsRegistered());
    EXPECT_EQ(LoadPictureBitmap(dir.Write("b.jpg", EncodeJpeg(Bitmap32(3, 2), false))).Width(),
              3);
    EXPECT_TRUE(PictureFormatsRegistered());
}

}  // namespace
}  // namespace corvane
