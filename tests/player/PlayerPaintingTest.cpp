// What the player shows: old frames, placement, border, background modes, resizing, Clear, and
// the paint fast path.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/raster/Drawing.h"
#include "player/PlayerFixtures.h"
#include "player/SystemColors.h"

namespace corvane {
namespace {

using test::Grab;
using test::PatternBitmap;
using test::PatternPicture;
using test::PatternPixel;
using test::SamePixels;

constexpr TColor Blue = 0x00FF0000, Red = 0x000000FF, Green = 0x0000FF00;

// Runs one whole transition at once (unthreaded, one step) to the picture.
void ShowAtOnce(TCustomTransitionPlayer& p, const TPicture& picture) {
    p.SetThreaded(false);
    p.SetStep(100);
    p.SetPicture(picture);
    p.Execute();
    ASSERT_FALSE(p.Busy());
}

// The background alone, as the player paints it with nothing shown.
Bitmap32 BareBackground(TCustomTransitionPlayer& like, const TPicture& bg, TBackgroundMode mode) {
    TTransitionPlayer bare;
    bare.resize(like.size());
    bare.SetColor(like.Color());
    bare.SetBgPicture(bg);
    bare.SetBgMode(mode);
    return Grab(bare);
}

TEST(PlayerPainting, OldFrameIsTheLastFrameOnlyForTheSameSize) {
    const struct {
        bool OverDraw;
        int32_t W, H;  // the second picture
        bool FromLastFrame;
    } cases[] = {{true, 24, 16, true}, {true, 20, 16, false}, {false, 24, 16, false}};
    for (const auto& c : cases) {
        TTransitionPlayer p;
        p.SetColor(Blue);
        p.SetOverDraw(c.OverDraw);
        Bitmap32 oldFrame;
        p.OnStart = [&](TCustomTransitionPlayer&, Bitmap32&, Bitmap32& screen) {
            oldFrame = screen;
        };
        ShowAtOnce(p, PatternPicture(24, 16, 1));
        // The first transition starts from the control's colour.
        EXPECT_TRUE(SamePixels(oldFrame, Bitmap32(24, 16, ColorToPixel(Blue))));
        ShowAtOnce(p, PatternPicture(c.W, c.H, 2));
        const Bitmap32 expected =
            c.FromLastFrame ? PatternBitmap(24, 16, 1) : Bitmap32(c.W, c.H, ColorToPixel(Blue));
        EXPECT_TRUE(SamePixels(oldFrame, expected)) << c.OverDraw << " " << c.W;
    }
}

TEST(PlayerPainting, PlacementFollowsTheClientArea) {
    TTransitionPlayer p;
    p.resize(800, 600);
    p.SetProportional(true);
    p.SetStretch(true);
    p.SetCenter(true);
    ShowAtOnce(p, PatternPicture(1024, 768, 1));
    EXPECT_EQ(p.PlacementRect(), (TRect{0, 0, 800, 600}));
    EXPECT_EQ(p.SourceRect(), (TRect{0, 0, 1024, 768}));

    ShowAtOnce(p, PatternPicture(400, 300, 1));
    EXPECT_EQ(p.PlacementRect(), (TRect{0, 0, 800, 600}));  // stretched up
    p.SetStretch(false);
    EXPECT_EQ(p.PlacementRect(), (TRect{200, 150, 600, 450}));
    p.SetCenter(false);
    EXPECT_EQ(p.PlacementRect(), (TRect{0, 0, 400, 300}));
}

TEST(PlayerPainting, BorderSurroundsThePicture) {
    TTransitionPlayer p;
    p.resize(60, 50);
    p.SetFrameWidth(5);
    p.SetFrameColor(Red);
    p.SetColor(Blue);
    p.SetStretch(true);
    ShowAtOnce(p, PatternPicture(50, 40, 4));
    ASSERT_EQ(p.PlacementRect(), (TRect{5, 5, 55, 45}));
    const Bitmap32 shot = Grab(p);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool inside = x >= 5 && x < 55 && y >= 5 && y < 45;
            const Pixel expected = inside ? PatternPixel(x - 5, y - 5, 4) : ColorToPixel(Red);
            ASSERT_EQ(shot.GetPixel(x, y), expected) << x << "," << y;
        }
    }
    // Without stretching the border hugs the picture and the background fills the rest.
    p.SetStretch(false);
    p.resize(80, 60);
    ShowAtOnce(p, PatternPicture(20, 10, 4));
    const Bitmap32 small = Grab(p);
    EXPECT_EQ(small.GetPixel(2, 2), ColorToPixel(Red));
    EXPECT_EQ(small.GetPixel(5, 5), PatternPixel(0, 0, 4));
    EXPECT_EQ(small.GetPixel(24, 14), PatternPixel(19, 9, 4));
    EXPECT_EQ(small.GetPixel(25, 15), ColorToPixel(Red));
    EXPECT_EQ(small.GetPixel(29, 19), ColorToPixel(Red));
    EXPECT_EQ(small.GetPixel(30, 20), ColorToPixel(Blue));
    EXPECT_EQ(small.GetPixel(79, 59), ColorToPixel(Blue));
}

TEST(PlayerPainting, BackgroundModes) {
    const Bitmap32 tile = PatternBitmap(3, 2, 9);
    Bitmap32 stretched(20, 15);
    StretchBlt(stretched, 0, 0, 20, 15, tile, 0, 0, 3, 2);
    const Pixel blue = ColorToPixel(Blue);
    const struct {
        TBackgroundMode Mode;
        bool WithPicture;
        std::function<Pixel(int, int)> Expected;
    } cases[] = {
        {bmNone, true, [&](int, int) { return blue; }},
        {bmTiled, false, [&](int, int) { return blue; }},  // no picture: plain colour
        {bmTiled, true, [&](int x, int y) { return tile.GetPixel(x % 3, y % 2); }},
        {bmStretched, true, [&](int x, int y) { return stretched.GetPixel(x, y); }},
        {bmCentered, true,
         [&](int x, int y) {
             // (20 - 3) / 2 = 8, (15 - 2) / 2 = 6
             return x >= 8 && x < 11 && y >= 6 && y < 8 ? tile.GetPixel(x - 8, y - 6) : blue;
         }},
    };
    for (const auto& c : cases) {
        TTransitionPlayer p;
        p.resize(20, 15);
        p.SetColor(Blue);
        if (c.WithPicture) p.SetBgPicture(test::PictureOf(tile));
        p.SetBgMode(c.Mode);
        const Bitmap32 shot = Grab(p);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(shot.GetPixel(x, y), c.Expected(x, y))
                    << "mode " << int(c.Mode) << " at " << x << "," << y;
    }

    // A centred background larger than the control starts at a negative offset; no colour shows.
    TTransitionPlayer p;
    p.resize(20, 15);
    p.SetColor(Blue);
    p.SetBgPicture(PatternPicture(30, 25, 5));
    p.SetBgMode(bmCentered);
    const Bitmap32 shot = Grab(p);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(shot.GetPixel(x, y), PatternPixel(x + 5, y + 5, 5));
}

// A transition from the background starts seamless: at progress 0 the control looks exactly like
// its bare background, before and after a resize moves the placement.
TEST(PlayerPainting, OldFrameFromTheBackgroundIsSeamlessAlsoAfterResizing) {
    const TPicture bg = PatternPicture(7, 5, 11);
    TTransitionPlayer p;
    p.resize(100, 80);
    p.show();  // a hidden widget learns of a resize only when shown
    p.SetCenter(true);
    p.SetBgPicture(bg);
    p.SetManual(true);
    p.SetPicture(PatternPicture(40, 30, 1));
    p.Execute();
    ASSERT_TRUE(p.Busy());
    EXPECT_EQ(p.PlacementRect(), (TRect{30, 25, 70, 55}));
    EXPECT_TRUE(SamePixels(Grab(p), BareBackground(p, bg, bmTiled)));

    p.resize(121, 90);
    EXPECT_EQ(p.PlacementRect(), (TRect{40, 30, 80, 60}));
    EXPECT_TRUE(SamePixels(Grab(p), BareBackground(p, bg, bmTiled)));

    // A background change while the transition runs is taken into the old frame as well.
    p.SetBgMode(bmStretched);
    EXPECT_TRUE(SamePixels(Grab(p), BareBackground(p, bg, bmStretched)));

    p.SetProgress(100);
    const Bitmap32 done = Grab(p);
    EXPECT_EQ(done.GetPixel(40, 30), PatternPixel(0, 0, 1));
    p.Stop();
}

TEST(PlayerPainting, ResizingDuringAThreadedTransition) {
    TTransitionPlayer p;
    p.resize(100, 80);
    p.SetStretch(true);
    p.SetProportional(true);
    p.SetCenter(true);
    p.SetBgPicture(PatternPicture(5, 5, 3));
    p.SetDelay(5);
    p.show();
    p.SetPicture(PatternPicture(40, 20, 1));
    p.Execute();
    for (int size = 0; size < 8 && p.Busy(); ++size) {
        test::WaitUntil([] { return false; }, 15);
        p.resize(100 + 13 * size, 80 + 7 * size);
    }
    ASSERT_TRUE(test::WaitUntil([&] { return !p.Busy(); }));
    p.resize(200, 200);
    EXPECT_EQ(p.PlacementRect(), (TRect{0, 50, 200, 150}));
    const Bitmap32 shot = Grab(p);
    EXPECT_EQ(shot.GetPixel(0, 50), PatternPixel(0, 0, 1));
    EXPECT_EQ(shot.GetPixel(199, 149), PatternPixel(39, 19, 1));
    EXPECT_EQ(shot.GetPixel(0, 49), PatternPixel(0, 4, 3));  // tiled background above
}

TEST(PlayerPainting, ClearBlanksToTheBackgroundOnlyWhenIdle) {
    TTransitionPlayer p;
    p.resize(30, 20);
    p.SetColor(Green);
    p.SetManual(true);
    p.SetPicture(PatternPicture(30, 20, 1));
    p.Execute();
    p.SetProgress(100);
    p.Clear();
    EXPECT_FALSE(p.ScreenBitmap().Empty());
    p.Stop();
    EXPECT_EQ(Grab(p).GetPixel(3, 3), PatternPixel(3, 3, 1));
    p.Clear();
    EXPECT_TRUE(p.ScreenBitmap().Empty());
    EXPECT_EQ(p.PlacementRect(), TRect{});
    EXPECT_TRUE(SamePixels(Grab(p), Bitmap32(30, 20, ColorToPixel(Green))));
}

TEST(PlayerPainting, RepaintInsideThePlacementShowsTheSameAsAFullPaint) {
    TTransitionPlayer p;
    p.resize(90, 70);
    p.SetFrameWidth(2);
    p.SetStretch(true);
    ShowAtOnce(p, PatternPicture(31, 17, 6));  // scaled up unevenly
    const Bitmap32 full = Grab(p);
    const TRect inner{10, 9, 60, 41};  // inside the placement: painted by the fast path
    const QImage part =
        p.grab(QRect(inner.Left, inner.Top, int(inner.Width()), int(inner.Height()))).toImage();
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            ASSERT_EQ(part.pixel(x, y) & 0x00FFFFFFu, full.GetPixel(inner.Left + x, inner.Top + y))
                << x << "," << y;
}

// After each frame only what changed is repainted; the window must still show the whole frame.
TEST(PlayerPainting, TheWindowShowsEachWholeFrameThoughOnlyItsChangesAreRepainted) {
    TTransitionPlayer p;
    p.resize(97, 61);
    p.SetStretch(true);
    p.SetProportional(true);
    p.SetCenter(true);
    p.SetColor(Blue);
    p.show();
    ASSERT_TRUE(test::WaitUntil([&] { return p.windowHandle() && p.windowHandle()->isExposed(); }));
    p.SetThreaded(false);
    p.SetDelay(0);
    p.SetStep(7);
    int frames = 0, mismatches = 0;
    p.OnProgress = [&](TCustomTransitionPlayer& sender) {
        ++frames;
        const QImage shown = QGuiApplication::primaryScreen()->grabWindow(sender.winId()).toImage();
        Bitmap32 expected = Grab(p);  // a full paint of the frame
        for (int y = 0; y < expected.Height(); ++y)
            for (int x = 0; x < expected.Width(); ++x)
                if ((shown.pixel(x, y) & 0x00FFFFFFu) != expected.GetPixel(x, y)) {
                    ++mismatches;
                    return;
                }
    };
    for (int style : {5, 21, 40, 1, 9}) {
        p.SetStyle(style);
        p.SetPicture(PatternPicture(150, 100, uint32_t(style)));
        p.Execute();
    }
    EXPECT_EQ(frames, 5 * 15);
    EXPECT_EQ(mismatches, 0);
}

// A threaded transition from a one-colour background fills its frame as the first frame is
// drawn, not before: until then the window shows the colour, never the unfilled pixels (here the
// last picture's, whose memory the new frame takes over).
TEST(PlayerPainting, BeforeTheFirstFrameTheWindowShowsTheOldFramesColour) {
    TTransitionPlayer p;
    p.resize(60, 40);
    p.SetColor(Green);
    ShowAtOnce(p, PatternPicture(60, 40, 1));
    // Custom drawing without a handler: every frame before the last is the old frame.
    p.SetThreaded(true);
    p.SetStyle(0);
    p.SetStep(1);
    p.SetDelay(200);
    p.SetPicture(PatternPicture(30, 40, 2));
    p.Execute();
    const Bitmap32 shot = Grab(p);
    p.Stop();
    EXPECT_TRUE(SamePixels(shot, Bitmap32(60, 40, ColorToPixel(Green))));
    // Stopped at once, the next transition still starts from that colour.
    Bitmap32 oldFrame;
    p.OnStart = [&](TCustomTransitionPlayer&, Bitmap32&, Bitmap32& screen) { oldFrame = screen; };
    ShowAtOnce(p, PatternPicture(30, 40, 3));
    EXPECT_TRUE(SamePixels(oldFrame, Bitmap32(30, 40, ColorToPixel(Green))));
}

// The control's thread never waits for a frame being composed: a paint that comes meanwhile
// leaves the window as it is there, and the repaint after the frame covers what it left out.
TEST(PlayerPainting, APaintWhileAFrameIsComposedWaitsForNothingAndIsMadeUpAfterIt) {
    TTransitionPlayer p;
    p.resize(64, 48);
    p.show();
    ASSERT_TRUE(test::WaitUntil([&] { return p.windowHandle() && p.windowHandle()->isExposed(); }));
    p.SetStyle(5);
    p.SetStep(25);
    p.SetDelay(1);
    std::atomic<bool> composing{false}, painted{false}, paintCameFirst{false};
    p.OnBeforeNewFrame = [&](TCustomTransitionPlayer& sender, Bitmap32&, Bitmap32&) {
        if (sender.Progress() != 50) return;
        composing = true;
        for (int i = 0; i < 500 && !painted; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        paintCameFirst = painted.load();
    };
    p.SetPicture(PatternPicture(64, 48, 4));
    p.Execute();
    ASSERT_TRUE(test::WaitUntil([&] { return composing.load(); }));
    p.repaint();
    painted = true;
    ASSERT_TRUE(test::WaitUntil([&] { return !p.Busy(); }));
    EXPECT_TRUE(paintCameFirst);
    QCoreApplication::processEvents();
    const QImage shown = QGuiApplication::primaryScreen()->grabWindow(p.winId()).toImage();
    const Bitmap32 expected = Grab(p);
    int mismatches = 0;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            mismatches += (shown.pixel(x, y) & 0x00FFFFFFu) != expected.GetPixel(x, y);
    EXPECT_EQ(mismatches, 0);
}

TEST(PlayerPainting, SystemColoursComeFromThePalette) {
    TTransitionPlayer p;
    p.resize(10, 10);
    QPalette palette = p.palette();
    palette.setColor(QPalette::Base, QColor(12, 34, 56));
    p.setPalette(palette);
    EXPECT_EQ(p.Color(), clWindow);
    EXPECT_EQ(Grab(p).GetPixel(5, 5), MakePixel(12, 34, 56));
}

}  // namespace
}  // namespace corvane
