// The show and the settings dialog on a Wayland session, on Qt's own Wayland platform (no X11
// for the program: DISPLAY is unset). The compositor is weston with two outputs of 800x600;
// it runs nested in the test's X server (xvfb-run), which lets the test type on its keyboard
// and click with its mouse, and its screenshooter takes the shots (both outputs side by side).

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "ProgramFixtures.h"
#include "X11Screen.h"
#include "imaging/PictureFile.h"

namespace corvane::test {
namespace {

constexpr int OutputWidth = 800, OutputHeight = 600;

// weston on the sandbox's runtime folder, with its outputs as windows of the X server.
class TWeston {
  public:
    explicit TWeston(const TSandbox& sandbox) : FSandbox(sandbox) {
        FProcess = std::make_unique<TProcess>(
            "/usr/bin/weston",
            std::vector<std::string>{"--backend=x11-backend.so", "--use-pixman",
                                     std::string("--width=").append(std::to_string(OutputWidth)),
                                     std::string("--height=").append(std::to_string(OutputHeight)),
                                     "--output-count=2", std::string("--socket=").append(Socket),
                                     "--idle-time=0", "--no-config", "--debug"},
            sandbox.Environment(), sandbox.Root());
        Up = Eventually([&] { return std::filesystem::exists(Runtime() / Socket); }, 15000);
    }
    ~TWeston() {
        FProcess->Signal(SIGTERM);
        FProcess->Wait(5000);
    }

    bool Up = false;
    static constexpr const char* Socket = "wayland-test";

    // The program's environment on this session: Wayland only.
    std::map<std::string, std::string> Session() const {
        return {{"WAYLAND_DISPLAY", Socket}, {"DISPLAY", ""}, {"XDG_SESSION_TYPE", "wayland"},
                {"QT_QPA_PLATFORM", ""}};
    }
    std::string Errors() const { return FProcess->Errors(); }

    // Both outputs side by side, as the compositor draws them.
    TShot Shot() const {
        const std::filesystem::path folder = FSandbox.Root() / "shots";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const std::string command = std::string("cd '")
                                        .append(folder.string())
                                        .append("' && XDG_RUNTIME_DIR='")
                                        .append(Runtime().string())
                                        .append("' WAYLAND_DISPLAY=")
                                        .append(Socket)
                                        .append(" weston-screenshooter >/dev/null 2>&1");
        TShot shot;
        if (Shell(command) != 0) return shot;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const Bitmap32 picture = LoadPictureBitmap(entry.path().string());
            shot.Width = picture.Width();
            shot.Height = picture.Height();
            for (int y = 0; y < shot.Height; ++y) {
                const Pixel* row = picture.Scanline(y);
                for (int x = 0; x < shot.Width; ++x) shot.Pixels.push_back(row[x] & 0xFFFFFF);
            }
        }
        return shot;
    }

  private:
    const TSandbox& FSandbox;
    std::unique_ptr<TProcess> FProcess;
    std::filesystem::path Runtime() const { return FSandbox.Root() / "runtime"; }
};

TShot Output(const TShot& shot, int number) {
    return shot.Crop(number * OutputWidth, 0, OutputWidth, OutputHeight);
}

// An installed show and weston up, the pointer resting over the first output, so that typing
// reaches the compositor.
class Wayland : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(InstallQuickShow(sandbox)) << sandbox.InstallOutput();
        ASSERT_TRUE(weston.Up) << weston.Errors();
        ASSERT_EQ(Shell("xdotool mousemove 400 300"), 0);
    }
    TSandbox sandbox;
    TWeston weston{sandbox};
};

TEST_F(Wayland, TheShowFillsEveryOutputAndEndsOnAKey) {
    auto run = sandbox.Start({"/S"}, weston.Session());
    TShot shot;
    EXPECT_TRUE(Eventually([&] {
        shot = weston.Shot();
        return shot.Width == 2 * OutputWidth && Output(shot, 0).FilledWithAPicture() &&
               Output(shot, 1).FilledWithAPicture();
    })) << run->Errors();
    KeepArtefact(shot, "wayland-show.png");
    ASSERT_TRUE(run->Running()) << run->Errors();

    EXPECT_EQ(Shell("xdotool key space"), 0);
    EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
    EXPECT_TRUE(WrittenByTheProgram(sandbox));
}

TEST_F(Wayland, TheSettingsDialogOpensAndEndsOnEscape) {
    // The desktop once it has faded in: two shots alike.
    TShot desktop;
    ASSERT_TRUE(Eventually([&] {
        const TShot previous = desktop;
        desktop = weston.Shot();
        return desktop.Width == 2 * OutputWidth && desktop.Pixels == previous.Pixels;
    }));

    auto run = sandbox.Start({"/C"}, weston.Session());
    // The dialog appears on an output: a large part of the desktop changes.
    TShot shot;
    EXPECT_TRUE(Eventually([&] {
        shot = weston.Shot();
        if (shot.Pixels.size() != desktop.Pixels.size()) return false;
        int changed = 0;
        for (size_t i = 0; i < shot.Pixels.size(); ++i) changed += shot.Pixels[i] != desktop.Pixels[i];
        return changed > 600 * 400;
    })) << run->Errors();
    KeepArtefact(shot, "wayland-dialog.png");

    EXPECT_EQ(Shell("xdotool key Escape"), 0);
    EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
    EXPECT_TRUE(WrittenByTheProgram(sandbox));
}

}  // namespace
}  // namespace corvane::test
