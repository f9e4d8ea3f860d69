// The frames the player composes are bit for bit those of a fresh composition (ComposeFrame on
// new bitmaps), whatever it reuses: a JPEG's decoded pixels as the picture bitmap, the last
// picture as the next old frame, and the copy back of only what the last frame touched.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "effects/EffectCatalog.h"
#include "effects/FrameComposer.h"
#include "effects/Random.h"
#include "imaging/JPEGImage.h"
#include "platform/raster/Drawing.h"
#include "player/PlayerFixtures.h"
#include "tools/common/PictureWriters.h"

namespace corvane {
namespace {

using test::PatternBitmap;
using test::WaitUntil;

constexpr TColor Background = 0x00406080;

// All 32 bits of every pixel.
bool Identical(const Bitmap32& a, const Bitmap32& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int32_t y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.Scanline(y), b.Scanline(y), size_t(a.Width()) * sizeof(Pixel)) != 0)
            return false;
    return true;
}

// The random effects draw from the shared generator: the fresh frame starts from the state the
// player's frame started from.
Bitmap32 Fresh(const Bitmap32& old, const Bitmap32& picture, int style, int progress,
               uint32_t randomState) {
    FixedRandomState state(randomState);
    Bitmap32 screen;
    ComposeFrame(screen, old, picture, style, progress);
    return screen;
}

std::vector<int> AllStyles() {
    std::vector<int> styles{0};
    for (int n = 1; n <= TEffectCatalog::Count; ++n) styles.push_back(n);
    return styles;
}

// JPEG files written once for the tests of this file, with their decoded pixels.
class PlayerFrames : public ::testing::Test {
  protected:
    struct TJpeg {
        std::string File;
        Bitmap32 Pixels;
    };

    static void SetUpTestSuite() {
        char folder[] = "/tmp/corvane-frames-XXXXXX";
        ASSERT_TRUE(mkdtemp(folder));
        Folder = folder;
        const std::pair<int, int> sizes[] = {{53, 37}, {53, 37}, {40, 61}};
        for (int i = 0; i < 3; ++i) {
            TJpeg jpeg;
            jpeg.File = Folder + "/p" + std::to_string(i) + ".jpg";
            WritePictureFile(PatternBitmap(sizes[i].first, sizes[i].second, uint32_t(7 + i)),
                             jpeg.File);
            TJPEGImage image;
            image.LoadFromFile(jpeg.File);
            jpeg.Pixels = image.DecodedImage();
            Jpegs.push_back(std::move(jpeg));
        }
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
        Jpegs.clear();
    }

    static TPicture JpegPicture(int index) {
        auto graphic = std::make_unique<TJPEGImage>();
        graphic->LoadFromFile(Jpegs[size_t(index)].File);
        TPicture picture;
        picture.SetGraphic(std::move(graphic));
        return picture;
    }

    static std::string Folder;
    static std::vector<TJpeg> Jpegs;
};

std::string PlayerFrames::Folder;
std::vector<PlayerFrames::TJpeg> PlayerFrames::Jpegs;

TEST_F(PlayerFrames, ThreadedShowOfJpegsAndBitmapsMatchesFreshFrames) {
    TTransitionPlayer player;
    player.resize(90, 70);
    player.show();
    player.SetColor(Background);
    player.SetStep(9);
    player.SetDelay(0);
    const Bitmap32 bitmap = PatternBitmap(53, 37, 99);
    // Same sizes in a row start from the last picture (shared or not), a change of size from the
    // background.
    const std::vector<std::pair<TPicture, const Bitmap32*>> steps = {
        {JpegPicture(0), &Jpegs[0].Pixels}, {JpegPicture(1), &Jpegs[1].Pixels},
        {JpegPicture(0), &Jpegs[0].Pixels}, {test::PictureOf(bitmap), &bitmap},
        {JpegPicture(1), &Jpegs[1].Pixels}, {JpegPicture(2), &Jpegs[2].Pixels},
    };
    const std::vector<int> styles = AllStyles();
    const Bitmap32* last = nullptr;
    size_t next = 0;
    int frames = 0, mismatches = 0;
    // Every style once at least, over the changes of picture above.
    const int rounds = int((styles.size() + steps.size() - 1) / steps.size());
    for (int round = 0; round < rounds; ++round) {
        for (const auto& [picture, pixels] : steps) {
            const int style = styles[next++ % styles.size()];
            const bool sameSize =
                last && last->Width() == pixels->Width() && last->Height() == pixels->Height();
            const Bitmap32 old =
                sameSize ? *last
                         : Bitmap32(pixels->Width(), pixels->Height(), ColorToPixel(Background));
            player.SetStyle(style);
            mismatches = 0;
            // No frame handlers, as in the show: the player keeps what it can between frames.
            // Nothing else draws from the generator, so each frame starts from the state the
            // last one left.
            uint32_t randomState = RandomState();
            player.OnProgress = [&](TCustomTransitionPlayer& sender) {
                ++frames;
                if (!Identical(sender.ScreenBitmap(),
                               Fresh(old, *pixels, style, sender.Progress(), randomState)))
                    ++mismatches;
                randomState = RandomState();
            };
            player.SetPicture(picture);
            player.Execute();
            ASSERT_TRUE(WaitUntil([&] { return !player.Busy(); }));
            player.OnProgress = nullptr;
            EXPECT_EQ(mismatches, 0) << "style " << style << ", round " << round;
            last = pixels;
        }
    }
    EXPECT_EQ(frames, rounds * int(steps.size()) * 12);
    EXPECT_TRUE(test::TTestApplication::TakeErrors().empty());
}

TEST_F(PlayerFrames, ManualJumpsStyleChangesAndANewBackgroundMatchFreshFrames) {
    // From a background picture, and from a plain colour that a background picture replaces
    // part way (and which comes back when the picture goes again).
    for (const bool plainFirst : {false, true}) {
        SCOPED_TRACE(plainFirst ? "plain colour first" : "background picture");
        TTransitionPlayer player;
        player.resize(90, 70);
        player.show();
        player.SetColor(Background);
        player.SetStretch(true);
        player.SetBgMode(bmStretched);
        if (!plainFirst) player.SetBgPicture(test::PatternPicture(13, 9, 5));
        player.SetManual(true);
        // The generator's state as the last frame began (the player may compose a frame more
        // than once, on a resize or a new background).
        uint32_t frameState = 0;
        player.OnBeforeNewFrame = [&](TCustomTransitionPlayer&, Bitmap32&, Bitmap32&) {
            frameState = RandomState();
        };
        player.SetPicture(JpegPicture(2));
        player.Execute();
        // At 0 the frame is the old frame: the background under the placement.
        Bitmap32 old = player.ScreenBitmap();
        const Bitmap32& picture = Jpegs[2].Pixels;
        const std::vector<int> styles = AllStyles();
        const int progresses[] = {90, 10, 55, 100, 3, 97, 40, 60, 20};
        int checked = 0;
        for (size_t i = 0; i < styles.size(); ++i) {
            const int style = styles[i];
            player.SetStyle(style);
            for (int p : progresses) {
                player.SetProgress(p);
                ASSERT_TRUE(
                    Identical(player.ScreenBitmap(), Fresh(old, picture, style, p, frameState)))
                    << "style " << style << " at " << p;
                ++checked;
            }
            if (i % 10 == 5) {
                // The old frame is painted afresh from the background: on a new size of the
                // control, and when the background picture comes or goes.
                player.resize(player.width() + 7, player.height() - 3);
                if (plainFirst && i % 20 == 5) player.SetBgPicture(test::PatternPicture(7, 5, 3));
                if (plainFirst && i % 20 == 15) player.SetBgPicture(TPicture());
                const Bitmap32 frame = player.ScreenBitmap();
                const uint32_t randomState = frameState;
                const int p = player.Progress();
                player.SetProgress(0);
                old = player.ScreenBitmap();
                EXPECT_TRUE(Identical(frame, Fresh(old, picture, style, p, randomState)))
                    << "new background, style " << style;
            }
        }
        EXPECT_EQ(checked, int(styles.size()) * 9);
        player.Stop();
    }
}

TEST_F(PlayerFrames, HandlersGetBitmapsOfTheirOwnAndWhatTheyDrawIsUndone) {
    TTransitionPlayer player;
    player.resize(90, 70);
    player.SetColor(Background);
    player.SetThreaded(false);
    player.SetStep(25);
    player.SetStyle(5);
    player.SetPicture(JpegPicture(0));
    player.Execute();  // the frame shown is now the first picture
    // OnStart draws on both bitmaps it is given; the frames show that, the picture does not.
    player.OnStart = [](TCustomTransitionPlayer&, Bitmap32& picture, Bitmap32& screen) {
        FillRect(picture, TRect{0, 0, 5, 5}, 0x00FF00FF);
        FillRect(screen, TRect{10, 10, 20, 20}, 0x0000FFFF);
    };
    // OnBeforeNewFrame marks a corner of each frame, which the next frame must not keep.
    int frame = 0;
    player.OnBeforeNewFrame = [&](TCustomTransitionPlayer&, Bitmap32&, Bitmap32& screen) {
        screen.SetPixel(50 - frame, 30, 0x00123456);
        ++frame;
    };
    Bitmap32 expectedPicture = Jpegs[1].Pixels;
    FillRect(expectedPicture, TRect{0, 0, 5, 5}, 0x00FF00FF);
    Bitmap32 expectedOld = Jpegs[0].Pixels;
    FillRect(expectedOld, TRect{10, 10, 20, 20}, 0x0000FFFF);
    int mismatches = 0;
    player.OnProgress = [&](TCustomTransitionPlayer& sender) {
        Bitmap32 expected;
        ComposeFrame(expected, expectedOld, expectedPicture, 5, sender.Progress(),
                     {[&] { expected.SetPixel(50 - (frame - 1), 30, 0x00123456); }, {}, {}});
        if (!Identical(sender.ScreenBitmap(), expected)) ++mismatches;
    };
    const TPicture second = JpegPicture(1);
    player.SetPicture(second);
    player.Execute();
    EXPECT_EQ(frame, 4);
    EXPECT_EQ(mismatches, 0);
    // The picture's own decoded pixels are untouched.
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(player.Picture().Graphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_TRUE(Identical(jpeg->DecodedImage(), Jpegs[1].Pixels));
}

}  // namespace
}  // namespace corvane
