// The standalone show on two monitors, run under xvfb-run with two screens of one display
// (1280x720 and 1024x768): a window on each screen, input on either ends both, and the design's
// single window when the settings ask for it.

#include <gtest/gtest.h>

#include <string>

#include "ProgramFixtures.h"
#include "X11Screen.h"

namespace corvane::test {
namespace {

struct TScreens {
    TX11 First{0}, Second{1};
    TShot FirstShot() { return First.Shot(First.Root()); }
    TShot SecondShot() { return Second.Shot(Second.Root()); }
};

TEST(X11Screens, EveryScreenShowsPicturesAndInputOnEitherEndsThemAll) {
    struct {
        const char* What;
        const char* PointerAt;  // where the pointer rests when the show starts
        const char* Input;
    } cases[] = {
        {"a key, the pointer on the first screen", "--screen 0 600 300", "xdotool key space"},
        {"a click on the second screen", "--screen 1 500 300", "xdotool click 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TSandbox sandbox;
        ASSERT_TRUE(InstallQuickShow(sandbox)) << sandbox.InstallOutput();
        TScreens screens;
        ASSERT_EQ(Shell(std::string("xdotool mousemove ") + c.PointerAt), 0);
        auto run = sandbox.Start({"/S"});
        TShot first, second;
        EXPECT_TRUE(Eventually([&] {
            first = screens.FirstShot();
            second = screens.SecondShot();
            return first.FilledWithAPicture() && second.FilledWithAPicture();
        })) << run->Errors();
        EXPECT_EQ(std::make_pair(first.Width, second.Width), std::make_pair(1280, 1024));
        KeepArtefact(first, "screens-first.png");
        KeepArtefact(second, "screens-second.png");
        ASSERT_TRUE(run->Running()) << run->Errors();

        EXPECT_EQ(Shell(c.Input), 0);
        EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
        EXPECT_TRUE(WrittenByTheProgram(sandbox));
    }
}

TEST(X11Screens, TheSettingCanAskForTheSingleWindow) {
    TSandbox sandbox;
    ASSERT_TRUE(InstallQuickShow(sandbox, 300, "[Linux]\nAllScreens=0\n"))
        << sandbox.InstallOutput();
    TScreens screens;
    const TShot before = screens.SecondShot();
    auto run = sandbox.Start({"/S"});
    ASSERT_TRUE(Eventually([&] { return screens.FirstShot().FilledWithAPicture(); }))
        << run->Errors();
    // The second screen keeps what it showed before the show.
    EXPECT_EQ(screens.SecondShot().Pixels, before.Pixels);
    EXPECT_TRUE(screens.Second.Children(screens.Second.Root()).empty());
    EXPECT_EQ(Shell("xdotool key space"), 0);
    EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
}

}  // namespace
}  // namespace corvane::test
