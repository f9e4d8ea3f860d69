#include "tools/render/RenderCommand.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "effects/EffectCatalog.h"
#include "effects/FrameComposer.h"
#include "imaging/PictureFile.h"
#include "platform/raster/Drawing.h"
#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

class RenderCommandTest : public ::testing::Test {
protected:
    fs::path Dir;
    std::string Old, New, Small;

    void SetUp() override {
        Dir = fs::temp_directory_path() /
              ("corvane-render-test-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
        Old = (Dir / "old.bmp").string();
        New = (Dir / "new.bmp").string();
        Small = (Dir / "small.bmp").string();
        WritePictureFile(MakePattern(0, 120, 80), Old);
        WritePictureFile(MakePattern(1, 120, 80), New);
        WritePictureFile(MakePattern(2, 30, 20), Small);
    }
    void TearDown() override { fs::remove_all(Dir); }

    int Run(std::vector<std::string> args) {
        Out.str("");
        Err.str("");
        return RunRenderCommand(args, Out, Err);
    }
    std::ostringstream Out, Err;
};

Bitmap32 Expected(const std::string& from, const std::string& to, int effect, int progress) {
    Bitmap32 oldFrame = LoadPictureBitmap(from), picture = LoadPictureBitmap(to), screen;
    if (oldFrame.Width() != picture.Width() || oldFrame.Height() != picture.Height()) {
        Bitmap32 scaled(picture.Width(), picture.Height());
        StretchBlt(scaled, 0, 0, picture.Width(), picture.Height(), oldFrame, 0, 0,
                   oldFrame.Width(), oldFrame.Height());
        oldFrame = scaled;
    }
    ComposeFrame(screen, oldFrame, picture, effect, progress);
    return screen;
}

bool SameRgb(const Bitmap32& a, const Bitmap32& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.GetPixel(x, y) & 0xFFFFFF) != (b.GetPixel(x, y) & 0xFFFFFF)) return false;
    return true;
}

Bitmap32 ReadPng(const std::string& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_file(&image, file.c_str())) << file;
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> pixels(size_t(image.width) * image.height);
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    Bitmap32 b(int(image.width), int(image.height));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, pixels[size_t(y) * image.width + x]);
    return b;
}

TEST_F(RenderCommandTest, ReadsAndWritesTodaysFormats) {
    // The samples tool's WebP and PNG, read back as pictures and rendered between.
    const std::string webp = (Dir / "sample.webp").string(), png = (Dir / "shot.PNG").string();
    WritePictureFile(MakePattern(3, 120, 80), webp);
    WritePictureFile(MakePattern(4, 120, 80), png);
    const std::string out = (Dir / "out.png").string();
    ASSERT_EQ(Run({"--from", webp, "--to", png, "--effect", "40", "--progress", "50", "--out", out}),
              0)
        << Err.str();
    EXPECT_TRUE(SameRgb(LoadPictureBitmap(out), Expected(webp, png, 40, 50)));
    EXPECT_EQ(LoadPictureBitmap(webp).Width(), 120);
}

TEST_F(RenderCommandTest, ListsEveryEntryAsNumberTabName) {
    ASSERT_EQ(Run({"--list"}), 0);
    std::istringstream lines(Out.str());
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_EQ(line.substr(0, line.find('\t')), std::to_string(count));
    }
    EXPECT_EQ(count, 171);
    EXPECT_NE(Out.str().find("14\tUnroll from left\n"), std::string::npos);
}

TEST_F(RenderCommandTest, OneFrameAsBmpAndPngByNumberOrName) {
    const std::string bmp = (Dir / "f.bmp").string(), png = (Dir / "f.PNG").string();
    ASSERT_EQ(Run({"--from", Old, "--to", New, "--effect", "14", "--progress", "37", "--out", bmp}), 0)
        << Err.str();
    EXPECT_TRUE(SameRgb(LoadPictureBitmap(bmp), Expected(Old, New, 14, 37)));
    ASSERT_EQ(Run({"--from", Old, "--to", New, "--effect", "unroll FROM left", "--progress", "37",
                   "--out", png}),
              0)
        << Err.str();
    EXPECT_TRUE(SameRgb(ReadPng(png), Expected(Old, New, 14, 37)));
    // An old picture of another size is scaled to the new one's.
    ASSERT_EQ(Run({"--from", Small, "--to", New, "--effect", "41", "--progress", "50", "--out", bmp}), 0);
    EXPECT_TRUE(SameRgb(LoadPictureBitmap(bmp), Expected(Small, New, 41, 50)));
}

TEST_F(RenderCommandTest, WholeTransitionsAsNumberedFramesAndY4m) {
    const std::string pattern = (Dir / "f%03d.bmp").string();
    ASSERT_EQ(Run({"--from", Old, "--to", New, "--effect", "57", "--step", "30", "--frames", pattern}), 0)
        << Err.str();
    // Progress 30, 60, 90, 100.
    EXPECT_TRUE(SameRgb(LoadPictureBitmap((Dir / "f002.bmp").string()), Expected(Old, New, 57, 60)));
    EXPECT_TRUE(SameRgb(LoadPictureBitmap((Dir / "f004.bmp").string()), Expected(Old, New, 57, 100)));
    EXPECT_FALSE(fs::exists(Dir / "f005.bmp"));

    ASSERT_EQ(Run({"--from", Old, "--to", New, "--effect", "5", "--step", "30", "--reverse",
                   "--frames", (Dir / "r%d.bmp").string()}),
              0);
    EXPECT_TRUE(SameRgb(LoadPictureBitmap((Dir / "r1.bmp").string()), Expected(Old, New, 5, 70)));
    EXPECT_TRUE(SameRgb(LoadPictureBitmap((Dir / "r4.bmp").string()), Expected(Old, New, 5, 0)));

    const fs::path y4m = Dir / "t.y4m";
    ASSERT_EQ(Run({"--from", Old, "--to", New, "--effect", "1", "--step", "25", "--y4m", y4m.string()}), 0);
    std::ifstream in(y4m, std::ios::binary);
    std::string header;
    std::getline(in, header);
    EXPECT_EQ(header.rfind("YUV4MPEG2 W120 H80 F25:1", 0), 0u) << header;
    const auto frameBytes = 6 + 120 * 80 + 2 * 60 * 40;
    EXPECT_EQ(fs::file_size(y4m), header.size() + 1 + 4 * frameBytes);
}

TEST_F(RenderCommandTest, BadInputPrintsOneLineExitsTwoAndLeavesNothing) {
    const std::string out = (Dir / "out.png").string();
    const struct {
        std::vector<std::string> Args;
        std::string Mentions;
    } cases[] = {
        {{"--from", Old, "--to", New, "--effect", "999", "--progress", "5", "--out", out}, "999"},
        {{"--from", Old, "--to", New, "--effect", "Wobble", "--progress", "5", "--out", out}, "Wobble"},
        {{"--from", Old, "--to", New, "--effect", "custom", "--progress", "5", "--out", out}, "custom"},
        {{"--from", Old, "--to", New, "--effect", "1", "--progress", "101", "--out", out}, "--progress"},
        {{"--from", Old, "--to", New, "--effect", "1", "--progress", "5x", "--out", out}, "5x"},
        {{"--from", (Dir / "missing.bmp").string(), "--to", New, "--effect", "1", "--progress", "5",
          "--out", out},
         "missing.bmp"},
        {{"--from", Old, "--to", (Dir / "x.xyz").string(), "--effect", "1", "--progress", "5", "--out", out},
         "xyz"},
        {{"--from", Old, "--to", New, "--effect", "1", "--progress", "5", "--out",
          (Dir / "no-such-folder" / "f.png").string()},
         "no-such-folder"},
        {{"--from", Old, "--to", New, "--effect", "1", "--progress", "5", "--out", (Dir / "f.gif").string()},
         "f.gif"},
        {{"--from", Old, "--to", New, "--effect", "1", "--frames", (Dir / "f.png").string()}, "%03d"},
        {{"--from", Old, "--to", New, "--effect", "1", "--step", "0", "--frames", (Dir / "f%d.png").string()},
         "--step"},
        {{"--wat"}, "--wat"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.Args), 2) << c.Mentions;
        const std::string err = Err.str();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find(c.Mentions), std::string::npos) << err;
        EXPECT_FALSE(fs::exists(out));
    }
    // Nothing but the inputs is left in the folder: no temporary files either.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(Dir)) files += entry.is_regular_file();
    EXPECT_EQ(files, 3);
}

}  // namespace
}  // namespace corvane
