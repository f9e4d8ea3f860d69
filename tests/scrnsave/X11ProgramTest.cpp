// The show on a real X server (run under xvfb-run): full screen with a screenshot and a key press,
// and hosted in a window made by the test as XScreenSaver and xsecurelock host it, with a resize,
// the host window going away, and termination.

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>

#include "ProgramFixtures.h"
#include "X11Screen.h"

namespace corvane::test {
namespace {

// Light text on a black background, as a hosted run draws its messages.
bool ShowsAMessage(const TShot& shot) {
    int light = 0, dark = 0;
    for (uint32_t p : shot.Pixels) (p == 0 ? dark : light) += (p == 0 || p > 0x808080);
    return light > 50 && dark > int(shot.Pixels.size()) / 2;
}

TEST(X11Program, TheFullScreenShowShowsPicturesAndEndsOnAKey) {
    TSandbox sandbox;
    ASSERT_TRUE(InstallQuickShow(sandbox)) << sandbox.InstallOutput();
    TX11 x;
    auto run = sandbox.Start({"/S"});
    // After the first transition the whole screen shows a picture (the samples have the
    // screen's shape).
    TShot shot;
    EXPECT_TRUE(Eventually(
        [&] {
            shot = x.Shot(x.Root());
            return shot.FilledWithAPicture();
        },
        15000))
        << run->Errors();
    EXPECT_EQ(shot.Width, 1280);
    EXPECT_TRUE(run->Running());
    EXPECT_FALSE(WrittenByTheProgram(sandbox));

    EXPECT_EQ(Shell("xdotool key space"), 0);
    EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
    EXPECT_TRUE(WrittenByTheProgram(sandbox)) << ReadText(sandbox.ConfigFile());
}

TEST(X11Program, TheFullScreenShowEndsWhenTheMouseMoves) {
    TSandbox sandbox;
    ASSERT_TRUE(InstallQuickShow(sandbox)) << sandbox.InstallOutput();
    TX11 x;
    auto run = sandbox.Start({"/S"});
    ASSERT_TRUE(Eventually([&] { return x.Shot(x.Root()).ShowsAPicture(); }, 15000));
    // A hand on the mouse: moves a little apart in time (moves that come together may reach
    // the show as one). The first only sets where the pointer started.
    std::optional<int> status;
    for (int i = 0; i < 20 && !status; ++i) {
        Shell("xdotool mousemove " + std::to_string(100 + 40 * i) + " 200");
        status = run->Wait(200);
    }
    EXPECT_EQ(status, 0) << run->Errors();
}

TEST(X11Program, AHostedRunDrawsIntoItsWindowFollowsItsSizeAndEndsOnTermination) {
    TSandbox sandbox;
    ASSERT_TRUE(InstallQuickShow(sandbox)) << sandbox.InstallOutput();
    TX11 x;
    const uint32_t host = x.CreateWindow(400, 300);
    auto run = sandbox.Start({"--root"}, {{"XSCREENSAVER_WINDOW", Hex(host)}});
    ASSERT_TRUE(Eventually([&] { return x.Shot(host).ShowsAPicture(); }, 15000)) << run->Errors();
    ASSERT_EQ(x.Children(host).size(), 1u);
    const uint32_t show = x.Children(host)[0];
    EXPECT_EQ(x.Size(show), std::make_pair(400, 300));

    // Hosted runs stay out of the single-instance guard: a second one runs beside it.
    const uint32_t second = x.CreateWindow(200, 150);
    auto other = sandbox.Start({"--window-id", std::to_string(second)});
    EXPECT_TRUE(Eventually([&] { return x.Shot(second).ShowsAPicture(); }, 15000));
    EXPECT_TRUE(other->Running());

    x.Resize(host, 640, 400);
    EXPECT_TRUE(Eventually([&] { return x.Size(show) == std::make_pair(640, 400); }, 10000));
    // The new area shows the show, not the host's white background.
    EXPECT_TRUE(Eventually(
        [&] {
            const TShot shot = x.Shot(host);
            return shot.Width == 640 && shot.At(600, 380) != 0xFFFFFF;
        },
        10000));

    run->Signal(SIGTERM);
    other->Signal(SIGINT);
    EXPECT_EQ(run->Wait(5000), 0) << run->Errors();
    EXPECT_EQ(other->Wait(5000), 0) << other->Errors();
    EXPECT_FALSE(WrittenByTheProgram(sandbox));  // hosted runs never write the settings
}

TEST(X11Program, APreviewEndsWhenItsHostWindowIsDestroyed) {
    TSandbox sandbox;
    ASSERT_TRUE(InstallQuickShow(sandbox)) << sandbox.InstallOutput();
    TX11 x;
    const uint32_t host = x.CreateWindow(320, 240);
    auto run = sandbox.Start({"/p", std::to_string(host)});
    ASSERT_TRUE(Eventually([&] { return x.Shot(host).ShowsAPicture(); }, 15000)) << run->Errors();
    x.Destroy(host);
    EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
    EXPECT_TRUE(WrittenByTheProgram(sandbox));
}

TEST(X11Program, AHostedRunWithoutPicturesShowsTheMessageAndStays) {
    TSandbox sandbox;
    WriteText(sandbox.ConfigFile(), QuickConfig());
    TX11 x;
    const uint32_t host = x.CreateWindow(480, 270);
    auto run = sandbox.Start({"--window-id", Hex(host)});
    const std::string expected = "No pictures found in " + sandbox.Pics().string();
    ASSERT_TRUE(Eventually([&] { return run->Errors().find(expected) != std::string::npos; }))
        << run->Errors();
    // Light text on the black background.
    EXPECT_TRUE(Eventually([&] { return ShowsAMessage(x.Shot(host)); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(run->Running());
    run->Signal(SIGTERM);
    EXPECT_EQ(run->Wait(5000), 0);
}

TEST(X11Program, TheSettingsDialogShowsItsPagesAndThePreviewAndEndsOnEscape) {
    TSandbox sandbox;
    ASSERT_TRUE(InstallQuickShow(sandbox)) << sandbox.InstallOutput();
    TX11 x;
    auto run = sandbox.Start({"/C"});
    // The dialog: a top-level window of its fixed size.
    uint32_t dialog = 0;
    ASSERT_TRUE(Eventually([&] {
        for (const uint32_t window : x.Children(x.Root()))
            if (x.Size(window) == std::make_pair(661, 432)) dialog = window;
        return dialog != 0;
    })) << run->Errors();
    // The preview, inside the monitor drawing, shows the first picture.
    TShot shot;
    EXPECT_TRUE(Eventually([&] {
        shot = x.Shot(dialog);
        return shot.Width == 661 && shot.DistinctColours(280, 50, 420, 150) > 40;
    })) << run->Errors();
    KeepArtefact(shot, "dialog-options.png");

    // The About page, by a click on its tab: the page area changes as a whole.
    const TShot options = shot;
    const std::string window = std::to_string(dialog);
    EXPECT_EQ(Shell("xdotool mousemove --window " + window + " 38 100 click 1"), 0);
    EXPECT_TRUE(Eventually([&] {
        shot = x.Shot(dialog);
        if (shot.Width != options.Width || shot.Height != options.Height) return false;
        int changed = 0;
        for (size_t i = 0; i < shot.Pixels.size(); ++i)
            changed += shot.Pixels[i] != options.Pixels[i];
        return changed > int(shot.Pixels.size()) / 4;
    }));
    KeepArtefact(shot, "dialog-about.png");

    // Escape, as typed on the keyboard; the pointer rests over the dialog.
    EXPECT_EQ(Shell("xdotool key Escape"), 0);
    EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
    EXPECT_TRUE(WrittenByTheProgram(sandbox));
}

TEST(X11Program, APreviewWithoutItsWindowTouchesNothing) {
    TX11 x;
    const struct {
        const char* What;
        std::string Id;
    } cases[] = {
        {"0, which would be the whole screen", "0"},
        {"an id that names no window", "134217712"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TSandbox sandbox;
        WriteText(sandbox.ConfigFile(), QuickConfig());
        auto run = sandbox.Start({"/p", c.Id});
        EXPECT_EQ(run->Wait(10000), 1);
        EXPECT_NE(run->Errors().find("No preview window: " + c.Id), std::string::npos)
            << run->Errors();
        // Neither the single-instance guard nor the settings file was touched.
        EXPECT_TRUE(std::filesystem::is_empty(sandbox.Root() / "runtime"));
        EXPECT_EQ(ReadText(sandbox.ConfigFile()), QuickConfig());
    }
}

TEST(X11Program, AHostedRunShowsASettingsFileErrorAndStays) {
    TSandbox sandbox;
    ASSERT_TRUE(InstallQuickShow(sandbox)) << sandbox.InstallOutput();
    // A settings file that cannot be read: a folder in its place.
    std::filesystem::remove(sandbox.ConfigFile());
    std::filesystem::create_directory(sandbox.ConfigFile());
    TX11 x;
    const uint32_t host = x.CreateWindow(480, 270);
    auto run = sandbox.Start({"--root"}, {{"XSCREENSAVER_WINDOW", Hex(host)}});
    const std::string expected =
        "Cannot read the settings file \"" + sandbox.ConfigFile().string() + "\"";
    ASSERT_TRUE(Eventually([&] { return run->Errors().find(expected) != std::string::npos; }))
        << run->Errors();
    // The message in light text on the black background, and no show.
    EXPECT_TRUE(Eventually([&] { return ShowsAMessage(x.Shot(host)); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(run->Running());
    // Still the message over black: no picture came in.
    const TShot shot = x.Shot(host);
    EXPECT_GT(std::count(shot.Pixels.begin(), shot.Pixels.end(), 0u),
              int(shot.Pixels.size()) * 8 / 10);
    run->Signal(SIGTERM);
    EXPECT_EQ(run->Wait(5000), 0) << run->Errors();
    EXPECT_TRUE(std::filesystem::is_directory(sandbox.ConfigFile()));
}

TEST(X11Program, AHostedRunWithoutItsWindowEnds) {
    TSandbox sandbox;
    WriteText(sandbox.ConfigFile(), QuickConfig());
    auto run = sandbox.Start({"--window-id", "0x7fffff0"});
    EXPECT_EQ(run->Wait(10000), 1);
    EXPECT_NE(run->Errors().find("does not exist"), std::string::npos) << run->Errors();
    EXPECT_FALSE(WrittenByTheProgram(sandbox));
}

}  // namespace
}  // namespace corvane::test
