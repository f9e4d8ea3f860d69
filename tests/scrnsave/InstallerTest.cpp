// The installer corvane-slideshow-install, run into a sandbox.

#include <gtest/gtest.h>

#include <set>

#include "ProgramFixtures.h"
#include "imaging/Picture.h"
#include "imaging/PictureFormats.h"

namespace corvane::test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    if (fs::exists(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
    return names;
}

TEST(Installer, PutsTheInstallationInPlace) {
    TSandbox sandbox;
    fs::remove_all(sandbox.App());
    fs::remove_all(sandbox.ConfigHome());
    ASSERT_EQ(sandbox.Install(), 0) << sandbox.InstallOutput();

    EXPECT_EQ(ReadText(sandbox.RegistryFile()), "AppPath=" + sandbox.App().string() + "/\n");
    EXPECT_TRUE(fs::is_regular_file(sandbox.App() / "readme.txt"));
    EXPECT_TRUE(fs::is_regular_file(sandbox.App() / "more" / "index.html"));

    // The initial settings file lists the eleven keys with their defaults.
    const std::string config = ReadText(sandbox.ConfigFile());
    for (const char* entry :
         {"[frmOptions]", "seStep.Value=4", "seDelay.Value=40", "sePicDelay.Value=1000",
          "seBorderWidth.Value=0", "ccbBorderColor.SelectedColor=16711680",
          "ccbBgColor.SelectedColor=0", "chkCenter.Checked=1", "chkStretch.Checked=1",
          "chkProportional.Checked=1", "rgAutoEffect.ItemIndex=1", "rgAutoPic.ItemIndex=1"})
        EXPECT_NE(config.find(std::string(entry) + "\n"), std::string::npos) << entry;

    // The sample pictures: 8 to 12 JPEG pictures of 1920 x 1080.
    const std::set<std::string> pictures = Names(sandbox.Pics());
    EXPECT_GE(pictures.size(), 8u);
    EXPECT_LE(pictures.size(), 12u);
    RegisterPictureFormats();
    for (const std::string& name : pictures) {
        EXPECT_TRUE(name.ends_with(".jpg")) << name;
        TPicture picture;
        picture.LoadFromFile((sandbox.Pics() / name).string());
        EXPECT_EQ(picture.Width(), 1920) << name;
        EXPECT_EQ(picture.Height(), 1080) << name;
    }
}

TEST(Installer, KeepsAnExistingSettingsFileAndUninstallsAllButItAndThePictures) {
    TSandbox sandbox;
    WriteText(sandbox.RegistryFile(), "Other=kept\n");
    WriteText(sandbox.ConfigFile(), "[frmOptions]\nseStep.Value=9\n");
    WriteText(sandbox.Pics() / "mine.bmp", "my own picture");
    ASSERT_EQ(sandbox.Install(), 0) << sandbox.InstallOutput();
    EXPECT_EQ(ReadText(sandbox.ConfigFile()), "[frmOptions]\nseStep.Value=9\n");
    EXPECT_EQ(ReadText(sandbox.RegistryFile()),
              "Other=kept\nAppPath=" + sandbox.App().string() + "/\n");
    EXPECT_GT(Names(sandbox.Pics()).size(), 8u);
    // Installing again changes nothing.
    ASSERT_EQ(sandbox.Install(), 0) << sandbox.InstallOutput();
    EXPECT_EQ(ReadText(sandbox.ConfigFile()), "[frmOptions]\nseStep.Value=9\n");

    ASSERT_EQ(sandbox.Install({"--uninstall"}), 0) << sandbox.InstallOutput();
    EXPECT_EQ(Names(sandbox.App()), (std::set<std::string>{"Pics", "config.ini"}));
    EXPECT_EQ(Names(sandbox.Pics()), (std::set<std::string>{"mine.bmp"}));
    EXPECT_EQ(ReadText(sandbox.RegistryFile()), "Other=kept\n");
}

TEST(Installer, SubfoldersSetsTheKeyOfSectionLinuxAndKeepsTheRest) {
    const struct {
        const char* Before;  // nullptr: no settings file yet
        std::string After;
    } cases[] = {
        {"[frmOptions]\nseStep.Value=9\n", "[frmOptions]\nseStep.Value=9\n\n[Linux]\nSubfolders=1\n"},
        {"[linux]\nOther=3\n\n[PicsChecked]\n0=1\n",
         "[linux]\nOther=3\nSubfolders=1\n\n[PicsChecked]\n0=1\n"},
        {"[Linux]\n subFolders = 0\nOther=2\n", "[Linux]\nSubfolders=1\nOther=2\n"},
    };
    for (const auto& c : cases) {
        TSandbox sandbox;
        WriteText(sandbox.ConfigFile(), c.Before);
        ASSERT_EQ(sandbox.Install({"--subfolders"}), 0) << sandbox.InstallOutput();
        EXPECT_EQ(ReadText(sandbox.ConfigFile()), c.After) << c.Before;
    }
    TSandbox fresh;
    fs::remove(fresh.ConfigFile());
    ASSERT_EQ(fresh.Install({"--subfolders"}), 0) << fresh.InstallOutput();
    const std::string config = ReadText(fresh.ConfigFile());
    EXPECT_NE(config.find("\n\n[Linux]\nSubfolders=1\n"), std::string::npos) << config;
    EXPECT_EQ(config.find("Subfolders=0"), std::string::npos) << config;
}

TEST(Installer, LinksTheUsersOwnPicturesFolder) {
    TSandbox sandbox;
    fs::remove_all(sandbox.Pics());
    const fs::path mine = sandbox.Home() / "My Pictures";
    fs::create_directories(mine);
    WriteText(mine / "holiday.jpg", "x");
    ASSERT_EQ(sandbox.Install({"--pictures", mine.string()}), 0) << sandbox.InstallOutput();
    ASSERT_TRUE(fs::is_symlink(sandbox.Pics()));
    EXPECT_EQ(fs::read_symlink(sandbox.Pics()), mine);

    ASSERT_EQ(sandbox.Install({"--uninstall"}), 0) << sandbox.InstallOutput();
    EXPECT_FALSE(fs::exists(fs::symlink_status(sandbox.Pics())));
    EXPECT_EQ(Names(mine), (std::set<std::string>{"holiday.jpg"}));
    EXPECT_NE(sandbox.Install({"--pictures", (sandbox.Home() / "none").string()}), 0);
}

TEST(Installer, RegistersWithXScreenSaverWithoutDisturbingItsFile) {
    const std::string entry = ProgramPath() + " --root";
    struct TCase {
        const char* What;
        std::optional<std::string> Before;
        std::string After;  // with @ standing for the entry
    };
    const std::vector<TCase> cases = {
        {"no file", std::nullopt,
         "programs:\t\t\t\t\t\t\t\t      \\\n\t\t\t\t  @\t\t\t\t    \\n\\\n\n"},
        {"a list ended by a blank line",
         "mode:\t\trandom\nprograms:\t\t\\\n  maze --root \\n\\\n- qix --root "
         "\\n\\\n\nlock:\tFalse\n",
         "mode:\t\trandom\nprograms:\t\t\\\n  maze --root \\n\\\n- qix --root \\n\\\n"
         "\t\t\t\t  @\t\t\t\t    \\n\\\n\nlock:\tFalse\n"},
        {"a list whose last line ends it",
         "programs:\t\\\n  maze --root \\n\\\n  qix --root \\n\nlock:\tFalse\n",
         "programs:\t\\\n  maze --root \\n\\\n  qix --root \\n\\\n\t\t\t\t  @\t\t\t\t    \\n\n"
         "lock:\tFalse\n"},
        {"a list at the end of the file", "programs:\t\\\n  maze --root \\n\\",
         "programs:\t\\\n  maze --root \\n\\\n\t\t\t\t  @\t\t\t\t    \\n\n"},
        {"no list", "timeout:\t0:10:00\n",
         "timeout:\t0:10:00\n\nprograms:\t\t\t\t\t\t\t\t      \\\n\t\t\t\t  @\t\t\t\t    "
         "\\n\\\n\n"},
        {"a list whose last line ends it, then a blank line",
         "programs:\t\\\n  maze --root \\n\\\n  qix --root \\n\n\nlock:\tFalse\n",
         "programs:\t\\\n  maze --root \\n\\\n  qix --root \\n\\\n\t\t\t\t  @\t\t\t\t    \\n\n"
         "\nlock:\tFalse\n"},
        {"no list and no newline at the end", "timeout:\t0:10:00",
         "timeout:\t0:10:00\n\nprograms:\t\t\t\t\t\t\t\t      \\\n\t\t\t\t  @\t\t\t\t    "
         "\\n\\\n\n"},
        {"an empty file", "",
         "programs:\t\t\t\t\t\t\t\t      \\\n\t\t\t\t  @\t\t\t\t    \\n\\\n\n"},
        {"an empty list", "programs:\n\nlock:\tFalse\n",
         "programs:\\\n\t\t\t\t  @\t\t\t\t    \\n\n\nlock:\tFalse\n"},
    };
    for (const TCase& c : cases) {
        TSandbox sandbox;
        const fs::path file = sandbox.Home() / ".xscreensaver";
        if (c.Before) WriteText(file, *c.Before);
        const fs::path configDir = sandbox.Root() / "xss-config";
        const fs::path libexecDir = sandbox.Root() / "xss-libexec";
        fs::create_directories(configDir);
        fs::create_directories(libexecDir);
        const std::map<std::string, std::string> places = {
            {"CORVANE_XSCREENSAVER_CONFIG_DIR", configDir.string()},
            {"CORVANE_XSCREENSAVER_LIBEXEC_DIR", libexecDir.string()}};
        ASSERT_EQ(sandbox.Install({"--xscreensaver"}, places), 0) << sandbox.InstallOutput();
        std::string after = c.After;
        after.replace(after.find('@'), 1, entry);
        EXPECT_EQ(ReadText(file), after) << c.What;
        EXPECT_EQ(ReadText(configDir / "corvane-slideshow.xml"),
                  ReadText(DataPath() + "/corvane-slideshow.xml"));
        EXPECT_EQ(fs::read_symlink(libexecDir / "corvane-slideshow"), ProgramPath());
        // Once is enough.
        ASSERT_EQ(sandbox.Install({"--xscreensaver"}, places), 0);
        EXPECT_EQ(ReadText(file), after) << c.What;

        // Undone byte for byte.
        ASSERT_EQ(sandbox.Install({"--uninstall"}, places), 0) << sandbox.InstallOutput();
        if (c.Before) {
            EXPECT_EQ(ReadText(file), *c.Before) << c.What;
        } else {
            EXPECT_FALSE(fs::exists(file)) << c.What;
        }
        EXPECT_FALSE(fs::exists(configDir / "corvane-slideshow.xml"));
        EXPECT_FALSE(fs::exists(fs::symlink_status(libexecDir / "corvane-slideshow")));
    }
}

// When the file has changed since (XScreenSaver writes it when its settings change), only the
// entry's line goes, with the continuation it added to the line before it.
TEST(Installer, UninstallFromAFileChangedSinceTakesOutTheEntryAlone) {
    const struct {
        const char* What;
        std::string Before;
    } cases[] = {
        {"a list whose last line ends it, then a blank line",
         "programs:\t\\\n  maze --root \\n\\\n  qix --root \\n\n\nlock:\tFalse\n"},
        {"a list ended by a blank line",
         "programs:\t\\\n  maze --root \\n\\\n  qix --root \\n\\\n\nlock:\tFalse\n"},
        {"a list whose last line ends it", "programs:\t\\\n  maze --root \\n\nlock:\tFalse\n"},
    };
    for (const auto& c : cases) {
        TSandbox sandbox;
        const fs::path file = sandbox.Home() / ".xscreensaver";
        WriteText(file, c.Before);
        const std::map<std::string, std::string> places = {
            {"CORVANE_XSCREENSAVER_CONFIG_DIR", (sandbox.Root() / "none").string()},
            {"CORVANE_XSCREENSAVER_LIBEXEC_DIR", (sandbox.Root() / "none").string()}};
        ASSERT_EQ(sandbox.Install({"--xscreensaver"}, places), 0) << sandbox.InstallOutput();
        std::string changed = ReadText(file);
        changed.replace(changed.find("lock:\tFalse"), 11, "lock:\tTrue");
        WriteText(file, changed);
        ASSERT_EQ(sandbox.Install({"--uninstall"}, places), 0) << sandbox.InstallOutput();
        std::string expected = c.Before;
        expected.replace(expected.find("lock:\tFalse"), 11, "lock:\tTrue");
        EXPECT_EQ(ReadText(file), expected) << c.What;
    }
}

// Installed with the prefix ~/.local, the program's files already lie in the default installation
// folder; the installer keeps them and never takes them away.
TEST(Installer, AnInstallationFolderThatHoldsTheProgramsOwnFilesKeepsThem) {
    TSandbox sandbox;
    fs::remove_all(sandbox.App());
    fs::copy(DataPath(), sandbox.App(), fs::copy_options::recursive);
    const std::set<std::string> samples = Names(sandbox.Pics());
    auto install = [&](std::vector<std::string> options) {
        std::vector<std::string> args = {"--data",     sandbox.App().string(),
                                         "--program",  ProgramPath(),
                                         "--app-path", sandbox.App().string()};
        args.insert(args.end(), options.begin(), options.end());
        TProcess installer(InstallerPath(), args, sandbox.Environment(), sandbox.Root());
        const int status = installer.Wait(60000).value_or(-1);
        return std::make_pair(status, installer.Output() + installer.Errors());
    };
    const auto [status, output] = install({});
    ASSERT_EQ(status, 0) << output;
    EXPECT_EQ(ReadText(sandbox.RegistryFile()), "AppPath=" + sandbox.App().string() + "/\n");
    const auto [uninstallStatus, uninstallOutput] = install({"--uninstall"});
    ASSERT_EQ(uninstallStatus, 0) << uninstallOutput;
    EXPECT_TRUE(fs::is_regular_file(sandbox.App() / "readme.txt"));
    EXPECT_TRUE(fs::is_regular_file(sandbox.App() / "more" / "index.html"));
    EXPECT_EQ(Names(sandbox.Pics()), samples);
    EXPECT_FALSE(fs::exists(sandbox.RegistryFile()));
}

TEST(Installer, SaysWhatItLacksTheRightsFor) {
    TSandbox sandbox;
    ASSERT_EQ(sandbox.Install({"--xscreensaver"},
                              {{"CORVANE_XSCREENSAVER_CONFIG_DIR", "/nonexistent/config"},
                               {"CORVANE_XSCREENSAVER_LIBEXEC_DIR", "/nonexistent/libexec"}}),
              0)
        << sandbox.InstallOutput();
    EXPECT_NE(sandbox.InstallOutput().find("Skipped /nonexistent/config/corvane-slideshow.xml"),
              std::string::npos)
        << sandbox.InstallOutput();
    EXPECT_NE(sandbox.InstallOutput().find("Skipped the link in /nonexistent/libexec"),
              std::string::npos);
    EXPECT_NE(ReadText(sandbox.Home() / ".xscreensaver").find(ProgramPath() + " --root"),
              std::string::npos);
}

TEST(Installer, RefusesBadOptions) {
    TSandbox sandbox;
    EXPECT_EQ(sandbox.Install({"--bogus"}), 2);
    EXPECT_EQ(sandbox.Install({"--app-path"}), 2);
}

}  // namespace
}  // namespace corvane::test
