#include "shell/FormMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>

#include "settings/NyBase.h"
#include "shell/InputFilter.h"
#include "shell/ShellFixtures.h"
#include "shell/SlideshowCycle.h"

namespace corvane::test {
namespace {

class FormMain : public TShellTest {
  protected:
    void SetUp() override {
        TShellTest::SetUp();
        WritePicture(Pics() / "p0.bmp", 0);
        WritePicture(Pics() / "p1.bmp", 1);
    }
    // A slow show, so that no transition ends while a test looks at the window.
    void StartSlowShow() {
        WriteConfig("[frmOptions]\nseStep.Value=1\nseDelay.Value=1000\n");
        StartUp();
    }
};

TEST_F(FormMain, AppliesTheElevenSettings) {
    WriteConfig(
        "[frmOptions]\n"
        "seStep.Value=7\nseDelay.Value=15\nsePicDelay.Value=2500\nseBorderWidth.Value=3\n"
        "ccbBorderColor.SelectedColor=255\nccbBgColor.SelectedColor=0x00808080\n"
        "chkCenter.Checked=0\nchkStretch.Checked=0\nchkProportional.Checked=0\n"
        "rgAutoEffect.ItemIndex=0\nrgAutoPic.ItemIndex=0\n");
    StartUp();
    TfrmMain form(TFormMode::Preview);
    TTransitionPlayer& p = form.Player();
    EXPECT_EQ(p.Step(), 7);
    EXPECT_EQ(p.Delay(), 15);
    EXPECT_EQ(PicDelay, 2500);
    EXPECT_EQ(p.FrameWidth(), 3);
    EXPECT_EQ(p.FrameColor(), 255u);
    EXPECT_EQ(p.Color(), 0x00808080u);
    EXPECT_FALSE(p.Center());
    EXPECT_FALSE(p.Stretch());
    EXPECT_FALSE(p.Proportional());
    EXPECT_EQ(AutoEffect, 0);
    EXPECT_EQ(AutoPic, 0);
}

TEST_F(FormMain, MissingSettingsTakeTheirDefaults) {
    WriteConfig("[frmOptions]\nseStep.Value=fast\n");
    StartUp();
    TfrmMain form(TFormMode::Preview);
    TTransitionPlayer& p = form.Player();
    EXPECT_EQ(p.Step(), 4);
    EXPECT_EQ(p.Delay(), 40);
    EXPECT_EQ(PicDelay, 1000);
    EXPECT_EQ(p.FrameWidth(), 0);
    EXPECT_EQ(p.FrameColor(), 0xFF0000u);
    EXPECT_EQ(p.Color(), 0u);
    EXPECT_TRUE(p.Center());
    EXPECT_TRUE(p.Stretch());
    EXPECT_TRUE(p.Proportional());
    EXPECT_EQ(AutoEffect, 1);
    EXPECT_EQ(AutoPic, 1);
    // The player fills the window and the first picture change began at once.
    EXPECT_EQ(p.Align(), alClient);
    EXPECT_FALSE(FirstCall);
    ASSERT_TRUE(WaitUntil([&] { return !PictureChangePending(p); }));
    EXPECT_GT(p.Picture().Width(), 0);
}

TEST_F(FormMain, ValuesOutOfRange) {
    WriteConfig(
        "[frmOptions]\nseStep.Value=500\nseDelay.Value=70000\nseBorderWidth.Value=-4\n"
        "rgAutoEffect.ItemIndex=257\nrgAutoPic.ItemIndex=256\n");
    StartUp();
    TfrmMain form(TFormMode::Preview);
    EXPECT_EQ(form.Player().Step(), 100);
    // Held at the largest interval, not cut to its low 16 bits (which gave 4464).
    EXPECT_EQ(form.Player().Delay(), 65535);
    EXPECT_EQ(form.Player().FrameWidth(), 0);
    EXPECT_EQ(AutoEffect, 1);  // kept in 8 bits: 257 is random order
    EXPECT_EQ(AutoPic, 0);
}

TEST_F(FormMain, DesignValues) {
    StartSlowShow();
    TfrmMain form(TFormMode::FullScreen);
    EXPECT_EQ(form.objectName(), "frmMain");
    EXPECT_EQ(form.windowTitle(), "frmMain");
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.HasOwner());
    for (const TFormMode mode : {TFormMode::Preview, TFormMode::Hosted}) {
        FirstCall = true;
        EXPECT_FALSE(TfrmMain(mode).HasOwner());
    }
    form.resize(320, 200);
    form.show();
    ASSERT_TRUE(WaitUntil([&] { return form.Player().size() == QSize(320, 200); }));
}

enum class TInput { Move, Key, KeyRelease, Press, Release, DoubleClick, Wheel };
struct TStep {
    TInput Input;
    QPoint Position;
};

void Send(QWindow* window, const TStep& step) {
    const QPointF local(step.Position);
    const QPointF global = window->mapToGlobal(step.Position);
    switch (step.Input) {
        case TInput::Move: {
            QMouseEvent e(QEvent::MouseMove, local, global, Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(window, &e);
            break;
        }
        case TInput::Key:
        case TInput::KeyRelease: {
            QKeyEvent e(step.Input == TInput::Key ? QEvent::KeyPress : QEvent::KeyRelease,
                        Qt::Key_A, Qt::NoModifier, "a");
            QCoreApplication::sendEvent(window, &e);
            break;
        }
        case TInput::Press:
        case TInput::Release:
        case TInput::DoubleClick: {
            const QEvent::Type type = step.Input == TInput::Press     ? QEvent::MouseButtonPress
                                      : step.Input == TInput::Release ? QEvent::MouseButtonRelease
                                                                      : QEvent::MouseButtonDblClick;
            QMouseEvent e(type, local, global, Qt::LeftButton,
                          step.Input == TInput::Release ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(window, &e);
            break;
        }
        case TInput::Wheel: {
            QWheelEvent e(local, global, QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(window, &e);
            break;
        }
    }
}

TEST_F(FormMain, InputClosesTheFullScreenShowOnly) {
    StartSlowShow();
    struct TCase {
        const char* What;
        std::vector<TStep> Steps;
        bool ClosesFullScreen;
    };
    const QPoint a(10, 20), b(11, 20);
    const std::vector<TCase> cases = {
        {"first move", {{TInput::Move, a}}, false},
        {"first move anywhere", {{TInput::Move, QPoint(300, 5)}}, false},
        {"second move at the same place", {{TInput::Move, a}, {TInput::Move, a}}, false},
        {"second move elsewhere", {{TInput::Move, a}, {TInput::Move, b}}, true},
        {"key press", {{TInput::Key, a}}, true},
        {"key release alone", {{TInput::KeyRelease, a}}, false},
        {"button press", {{TInput::Press, a}}, true},
        {"button release alone", {{TInput::Release, a}}, false},
        {"double click alone", {{TInput::DoubleClick, a}}, false},
        {"wheel", {{TInput::Wheel, a}}, false},
        {"wheel, then a move to the same place", {{TInput::Move, a}, {TInput::Wheel, b}}, false},
    };
    for (const TFormMode mode : {TFormMode::FullScreen, TFormMode::Preview}) {
        const bool fullScreen = mode == TFormMode::FullScreen;
        for (const TCase& c : cases) {
            ResetSlideshowCycle();
            TfrmMain form(mode);
            bool closed = false;
            QObject::connect(&form, &TfrmMain::Closed, [&] { closed = true; });
            form.resize(320, 200);
            form.show();
            ASSERT_TRUE(WaitUntil([&] { return form.windowHandle()->isExposed(); }));
            for (const TStep& step : c.Steps) Send(form.windowHandle(), step);
            const bool expected = fullScreen && c.ClosesFullScreen;
            EXPECT_EQ(closed, expected) << c.What << (fullScreen ? " (full screen)" : " (preview)");
            EXPECT_EQ(Closing, expected) << c.What;
            EXPECT_EQ(form.isVisible(), !expected) << c.What;
        }
    }
}

TEST_F(FormMain, TheFirstMoveIsStoredAsSixteenBitValues) {
    StartSlowShow();
    TfrmMain form(TFormMode::FullScreen);
    form.resize(320, 200);
    form.show();
    ASSERT_TRUE(WaitUntil([&] { return form.windowHandle()->isExposed(); }));
    ASSERT_EQ(form.InputFilter()->MouseStart(), QPoint(-1, -1));
    Send(form.windowHandle(), {TInput::Move, QPoint(-3, 7)});
    EXPECT_EQ(form.InputFilter()->MouseStart(), QPoint(0xFFFD, 7));
    EXPECT_TRUE(form.isVisible());
}

TEST_F(FormMain, LosingActivationClosesTheFullScreenShowAndActivationHidesTheCursor) {
    StartSlowShow();
    for (const TFormMode mode : {TFormMode::FullScreen, TFormMode::Preview}) {
        const bool fullScreen = mode == TFormMode::FullScreen;
        ResetSlideshowCycle();
        TfrmMain form(mode);
        form.resize(320, 200);
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(WaitUntil([&] { return form.isActiveWindow(); }));
        EXPECT_EQ(form.cursor().shape() == Qt::BlankCursor, fullScreen);
        EXPECT_TRUE(form.isVisible());

        // Another window of the show itself (the error report) taking activation ends nothing.
        QWidget report;
        report.show();
        QApplication::setActiveWindow(&report);
        EXPECT_TRUE(form.isVisible());
        report.hide();

        // Another application taking it does.
        QApplication::setActiveWindow(&form);
        QApplication::setActiveWindow(nullptr);
        EXPECT_EQ(form.isVisible(), !fullScreen);
        EXPECT_EQ(Closing, fullScreen);
    }
}

TEST_F(FormMain, TheApplicationLosingActivationClosesTheFullScreenShow) {
    StartSlowShow();
    TfrmMain preview(TFormMode::Preview);
    FirstCall = true;
    TfrmMain form(TFormMode::FullScreen);
    preview.show();
    form.show();
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(preview.isVisible());
    EXPECT_TRUE(Closing);
}

TEST_F(FormMain, AnEmptyFolderIsReportedOverTheBackground) {
    std::filesystem::remove_all(Pics());
    WriteConfig("[frmOptions]\nccbBgColor.SelectedColor=255\n");
    StartUp();
    TfrmMain form(TFormMode::FullScreen);
    form.resize(64, 48);
    form.show();
    const std::string expected = "No pictures found in " + Pics().string();
    EXPECT_EQ(form.StartError().toStdString(), expected);
    std::vector<std::string> errors;
    ASSERT_TRUE(WaitUntil([&] {
        for (auto& e : TakeReportedErrors()) errors.push_back(e);
        return !errors.empty();
    }));
    EXPECT_EQ(errors, std::vector<std::string>{expected});
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Player().Busy());
    // The window shows its background colour, red (0x0000FF in the 0x00BBGGRR convention).
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.pixelColor(32, 24), QColor(255, 0, 0));
}

TEST_F(FormMain, HostedMessagesAreDrawnIntoTheWindow) {
    std::filesystem::remove_all(Pics());
    StartUp();
    TfrmMain form(TFormMode::Hosted);
    form.resize(320, 200);
    form.show();
    form.ShowMessageText("No pictures found in /nowhere");
    EXPECT_EQ(form.MessageText(), "No pictures found in /nowhere");
    form.resize(400, 300);
    const QImage shot = form.grab().toImage();
    int bright = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) bright += qGray(shot.pixel(x, y)) > 200;
    EXPECT_GT(bright, 20);
}

}  // namespace
}  // namespace corvane::test
