// The standalone show on two screens of the offscreen platform (640x480 and 320x240 beside it).

#include "shell/ScreenShow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "shell/ShellFixtures.h"
#include "shell/SlideshowCycle.h"

namespace corvane::test {
namespace {

class ScreenShow : public TShellTest {
  protected:
    void SetUp() override {
        TShellTest::SetUp();
        ASSERT_EQ(QGuiApplication::screens().size(), 2);
        for (int i = 0; i < 3; ++i)
            WritePicture(Pics() / std::string("p").append(std::to_string(i)).append(".bmp"), i);
    }
    // Pictures in playlist order; slow transitions, so that the first ones are still on.
    void StartSequentialShow() {
        WriteConfig("[frmOptions]\nrgAutoPic.ItemIndex=0\nseStep.Value=1\nseDelay.Value=1000\n");
        StartUp();
    }
    static bool PictureIn(TfrmMain& window) { return !PictureChangePending(window.Player()); }
};

TEST_F(ScreenShow, EveryScreenHasAWindowWithItsOwnPlaceInThePlaylists) {
    StartSequentialShow();
    TScreenShow show(true, QString());
    ASSERT_EQ(show.WindowCount(), 2u);
    EXPECT_EQ(show.Window(0).geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(show.Window(1).geometry(), QRect(640, 0, 320, 240));
    EXPECT_EQ(show.Window(0).screen(), QGuiApplication::primaryScreen());
    EXPECT_TRUE(show.Window(1).isFullScreen());

    ASSERT_TRUE(WaitUntil([&] { return PictureIn(show.Window(0)) && PictureIn(show.Window(1)); }));
    // Each went from its own start to the playlist's second entry; the design's slideshow stands
    // where the design's cycle keeps its place.
    EXPECT_EQ(show.Window(0).Player().Picture().Width(), PictureWidth(1));
    EXPECT_EQ(show.Window(1).Player().Picture().Width(), PictureWidth(1));
    EXPECT_EQ(PicIndex, 1);
    EXPECT_TRUE(TakeReportedErrors().empty());
}

TEST_F(ScreenShow, AKeyOnAnyWindowClosesThemAll) {
    StartSequentialShow();
    TScreenShow show(true, QString());
    int closed = 0;
    QObject::connect(&show, &TScreenShow::Closed, [&] { ++closed; });
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QCoreApplication::sendEvent(show.Window(1).windowHandle(), &key);
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(Closing);
    EXPECT_FALSE(show.Window(0).isVisible());
    EXPECT_FALSE(show.Window(1).isVisible());
}

// Screens plugged in and out, as the platform announces them (the test sends its signals; the
// offscreen screens themselves stay).
TEST_F(ScreenShow, AScreenThatGoesTakesItsWindowAlongAndOneThatComesGetsOne) {
    StartSequentialShow();
    TScreenShow show(true, QString());
    QScreen* left = QGuiApplication::screens()[0];
    QScreen* right = QGuiApplication::screens()[1];
    TfrmMain* design = &show.Window(0);
    // The show is up, its windows shown and one of them active.
    ASSERT_TRUE(WaitUntil([&] { return PictureIn(show.Window(0)) && PictureIn(show.Window(1)); }));

    emit qGuiApp->screenRemoved(right);
    EXPECT_EQ(show.WindowCount(), 1u);
    emit qGuiApp->screenAdded(right);
    ASSERT_EQ(show.WindowCount(), 2u);
    EXPECT_EQ(show.Window(1).geometry(), QRect(640, 0, 320, 240));
    ASSERT_TRUE(WaitUntil([&] { return PictureIn(show.Window(1)); }));

    // The design's window stays, in the place of the other screen's.
    emit qGuiApp->screenRemoved(left);
    ASSERT_EQ(show.WindowCount(), 1u);
    EXPECT_EQ(&show.Window(0), design);
    EXPECT_EQ(design->geometry(), QRect(640, 0, 320, 240));
    EXPECT_FALSE(Closing);
    EXPECT_TRUE(design->isVisible());
}

// The pointer's place on the desktop counts, not where it lies in the window that sees it: a
// window appearing under a pointer that stays sees it at other coordinates of its own.
TEST_F(ScreenShow, APointerThatStaysClosesNothingWhicheverWindowSeesIt) {
    StartSequentialShow();
    TScreenShow show(true, QString());
    int closed = 0;
    QObject::connect(&show, &TScreenShow::Closed, [&] { ++closed; });
    auto move = [&](TfrmMain& window, QPointF local, QPointF global) {
        QMouseEvent event(QEvent::MouseMove, local, local, global, Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(window.windowHandle(), &event);
    };
    move(show.Window(0), {700, 100}, {700, 100});
    move(show.Window(1), {60, 100}, {700, 100});
    EXPECT_EQ(closed, 0);
    move(show.Window(1), {61, 100}, {701, 100});
    EXPECT_EQ(closed, 1);
}

TEST_F(ScreenShow, TheSettingAsksForTheDesignsSingleWindow) {
    WriteConfig("[Linux]\nAllScreens=0\n");
    StartUp();
    EXPECT_FALSE(AllScreensSetting());
    TScreenShow show(AllScreensSetting(), QString());
    EXPECT_EQ(show.WindowCount(), 1u);
    EXPECT_EQ(show.Window(0).geometry(), QRect(0, 0, 640, 480));
}

TEST_F(ScreenShow, AnEmptyFolderIsReportedOnce) {
    std::filesystem::remove_all(Pics());
    StartUp();
    TScreenShow show(true, QString());
    EXPECT_EQ(show.WindowCount(), 2u);
    ASSERT_TRUE(WaitUntil([] { return !TakeReportedErrors().empty(); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(TakeReportedErrors().empty());
}

}  // namespace
}  // namespace corvane::test
