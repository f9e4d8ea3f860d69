// Runs of the built program on the offscreen platform: the settings file at the end of each run,
// the single-instance guard between processes, the exit status.

#include <gtest/gtest.h>

#include <algorithm>
#include <signal.h>

#include "ProgramFixtures.h"

namespace corvane::test {
namespace {

const std::map<std::string, std::string> Offscreen = {{"QT_QPA_PLATFORM", "offscreen"}};

bool GuardUp(const TSandbox& sandbox) {
    return std::filesystem::exists(GuardSocket(sandbox));
}

TEST(Program, SettingsModeOpensTheDialogAndEndsOnTerminationWritingTheSettingsFile) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"/C"}, {"/c:1234"}}) {
        TSandbox sandbox;
        sandbox.WritePictures(2);
        WriteText(sandbox.ConfigFile(), QuickConfig());
        auto run = sandbox.Start(args, Offscreen);
        ASSERT_TRUE(Eventually([&] { return GuardUp(sandbox); })) << run->Errors();
        // The dialog waits for the user; termination stands in for the close box here.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(run->Running());
        EXPECT_FALSE(WrittenByTheProgram(sandbox));
        run->Signal(SIGTERM);
        EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
        EXPECT_EQ(run->Errors(), "");
        EXPECT_TRUE(WrittenByTheProgram(sandbox)) << ReadText(sandbox.ConfigFile());
        EXPECT_NE(ReadText(sandbox.ConfigFile()).find("sePicDelay.Value=200"), std::string::npos);
    }
}

TEST(Program, AFullScreenRunEndsOnTerminationAndWritesTheSettingsFile) {
    TSandbox sandbox;
    sandbox.WritePictures(3);
    WriteText(sandbox.ConfigFile(), QuickConfig());
    auto run = sandbox.Start({"/S"}, Offscreen);
    ASSERT_TRUE(Eventually([&] { return GuardUp(sandbox); })) << run->Errors();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(run->Running());
    EXPECT_FALSE(WrittenByTheProgram(sandbox));  // written once, at the end
    run->Signal(SIGTERM);
    EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
    EXPECT_TRUE(WrittenByTheProgram(sandbox));
}

TEST(Program, ASecondStartEndsAtOnceAndLeavesTheSettingsAlone) {
    TSandbox sandbox;
    sandbox.WritePictures(2);
    WriteText(sandbox.ConfigFile(), QuickConfig());
    auto first = sandbox.Start({"/S"}, Offscreen);
    ASSERT_TRUE(Eventually([&] { return GuardUp(sandbox); })) << first->Errors();
    for (const std::vector<std::string>& args : {std::vector<std::string>{"/C"}, {"/S"}}) {
        auto second = sandbox.Start(args, Offscreen);
        EXPECT_EQ(second->Wait(10000), 0) << second->Errors();
        EXPECT_EQ(second->Output(), "");  // no mode ran
        EXPECT_FALSE(WrittenByTheProgram(sandbox));
    }
    EXPECT_TRUE(first->Running());
    first->Signal(SIGTERM);
    EXPECT_EQ(first->Wait(10000), 0);
    EXPECT_TRUE(WrittenByTheProgram(sandbox));
}

TEST(Program, AnInstanceKilledOutrightDoesNotBlockTheNextStart) {
    TSandbox sandbox;
    sandbox.WritePictures(2);
    WriteText(sandbox.ConfigFile(), QuickConfig());
    auto killed = sandbox.Start({"/S"}, Offscreen);
    ASSERT_TRUE(Eventually([&] { return GuardUp(sandbox); }));
    killed->Signal(SIGKILL);
    EXPECT_EQ(killed->Wait(10000), 128 + SIGKILL);
    ASSERT_TRUE(GuardUp(sandbox));  // its socket is left behind

    // The next start takes the guard over: its dialog opens.
    auto next = sandbox.Start({"/C"}, Offscreen);
    EXPECT_TRUE(
        Eventually([&] { return next->Errors().empty() && GuardUp(sandbox) && next->Running(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(next->Running()) << next->Errors();
    next->Signal(SIGTERM);
    EXPECT_EQ(next->Wait(20000), 0);
    EXPECT_TRUE(WrittenByTheProgram(sandbox));
}

TEST(Program, AnEmptyPicturesFolderIsReportedAndTheShowStays) {
    TSandbox sandbox;
    WriteText(sandbox.ConfigFile(), QuickConfig());
    auto run = sandbox.Start({"/S"}, Offscreen);
    const std::string expected = "No pictures found in " + sandbox.Pics().string();
    ASSERT_TRUE(Eventually([&] { return run->Errors().find(expected) != std::string::npos; }))
        << run->Errors();
    EXPECT_TRUE(run->Running());
    run->Signal(SIGTERM);
    EXPECT_EQ(run->Wait(10000), 0);
}

TEST(Program, WithoutADisplayItSaysHowToRunIt) {
    TSandbox sandbox;
    auto run =
        sandbox.Start({"/S"}, {{"QT_QPA_PLATFORM", ""}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
    EXPECT_EQ(run->Wait(10000), 1);
    EXPECT_NE(run->Errors().find("xvfb-run"), std::string::npos) << run->Errors();
    EXPECT_FALSE(std::filesystem::exists(sandbox.ConfigFile()));
}

TEST(Program, ASettingsFileThatCannotBeWrittenGivesANonZeroStatus) {
    TSandbox sandbox;
    const std::string missing = (sandbox.Root() / "no-such-folder").string();
    WriteText(sandbox.RegistryFile(), "AppPath=" + missing + "\n");
    auto run = sandbox.Start({"/C"}, Offscreen);
    // The dialog says that there are no pictures; termination stands in for the user, who
    // closes the message and the dialog.
    ASSERT_TRUE(Eventually([&] {
        return run->Errors().find("No pictures found") != std::string::npos;
    })) << run->Errors();
    run->Signal(SIGTERM);
    // The failed write is reported (standard error, and a message box, which a termination
    // already under way does not wait on); the status tells it too.
    const std::string settings = missing + "/config.ini";
    EXPECT_EQ(run->Wait(10000), 1);
    EXPECT_NE(run->Errors().find(settings), std::string::npos) << run->Errors();
}

TEST(Program, HostedModesNeedTheirWindow) {
    // There is no X server here: the hosted and preview modes say so in one line and end,
    // writing nothing; on a Wayland session without XWayland they say that.
    TSandbox sandbox;
    WriteText(sandbox.ConfigFile(), QuickConfig());
    for (const char* wayland : {"", "wayland-0"}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"--root"}, {"/P", "12345"}, {"--window-id", "0x400001"}}) {
            SCOPED_TRACE(args[0] + (*wayland ? " on Wayland" : ""));
            auto run = sandbox.Start(args, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", wayland}});
            EXPECT_EQ(run->Wait(10000), 1);
            const std::string errors = run->Errors();
            EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
            if (*wayland) {
                EXPECT_NE(errors.find("no XWayland"), std::string::npos) << errors;
            }
            EXPECT_FALSE(WrittenByTheProgram(sandbox));
        }
    }
}

}  // namespace
}  // namespace corvane::test
