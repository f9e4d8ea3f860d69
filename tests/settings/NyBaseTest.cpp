#include "settings/NyBase.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/settings/TestFolders.h"

namespace corvane {
namespace {

using testing::FolderNames;
using testing::ReadFile;
using testing::ScopedEnvironment;
using testing::TempFolder;
using testing::UnwritableFolder;
using testing::WriteFile;

// A registry of its own under a scratch folder, so that the user's real settings are never
// touched, and an installation folder beside it.
class NyBaseTest : public ::testing::Test {
  protected:
    void SetAppPathValue(const std::string& value) {
        RegistryKey(HKEY_CURRENT_USER, AppRegistryKey, true).WriteString("AppPath", value);
    }
    void TearDown() override {
        if (Config) Config->SetAutoSave(false);
        (void)FinalizeNyBase();
        ErrorReportHook = nullptr;
    }

    TempFolder FHome;
    ScopedEnvironment FXdg{"XDG_CONFIG_HOME", (FHome / "config").string()};
    std::filesystem::path FInstall = FHome / "install";
};

TEST_F(NyBaseTest, AppPathComesFromTheRegistryWithATrailingSlash) {
    EXPECT_EQ(ReadAppPath(), "/");  // no value: the root folder
    EXPECT_TRUE(std::filesystem::is_directory(FHome / "config" / "Lantrel" / "Corvane Slideshow"));
    const struct {
        const char* value;
        const char* appPath;
    } cases[] = {
        {"", "/"},
        {"/opt/corvane", "/opt/corvane/"},
        {"/opt/corvane/", "/opt/corvane/"},
    };
    for (const auto& c : cases) {
        SetAppPathValue(c.value);
        EXPECT_EQ(ReadAppPath(), c.appPath) << c.value;
    }
    EXPECT_EQ(ReadRegString(AppRegistryKey, "appPath"), "/opt/corvane/");
    EXPECT_EQ(ReadRegString("Software\\Lantrel\\Nothing", "AppPath"), "");
}

TEST_F(NyBaseTest, StartUpReadsTheSettingsFileAndTheEndWritesIt) {
    std::filesystem::create_directory(FInstall);
    SetAppPathValue(FInstall.string());
    WriteFile(FInstall / "config.ini", "[frmOptions]\r\nseStep.Value = 7\r\n");

    InitializeNyBase();
    EXPECT_EQ(AppPath, FInstall.string() + "/");
    ASSERT_TRUE(Config);
    EXPECT_EQ(Config->FileName(), FInstall / "config.ini");
    EXPECT_EQ(Config->GetInt("seStep.Value", 4, "frmOptions"), 7);
    Config->WriteList("PicsChecked", {"0", "2"});

    EXPECT_TRUE(FinalizeNyBase());
    EXPECT_FALSE(Config);
    EXPECT_EQ(AppPath, "");
    EXPECT_EQ(ReadFile(FInstall / "config.ini"),
              "[frmOptions]\nseStep.Value=7\n\n[PicsChecked]\n0=0\n1=2\n\n");
}

TEST_F(NyBaseTest, AnEndWithoutAutoSaveLeavesTheFileAlone) {
    std::filesystem::create_directory(FInstall);
    SetAppPathValue(FInstall.string());
    InitializeNyBase();
    Config->WriteInteger("frmOptions", "seStep.Value", 9);
    Config->SetAutoSave(false);  // a hosted run never writes the settings
    EXPECT_TRUE(FinalizeNyBase());
    EXPECT_FALSE(std::filesystem::exists(FInstall / "config.ini"));
}

TEST_F(NyBaseTest, AFailedEndWriteIsReportedAndKeepsTheOldFile) {
    std::filesystem::create_directory(FInstall);
    SetAppPathValue(FInstall.string());
    const std::string oldBytes = "[frmOptions]\r\nseStep.Value=7\r\n";
    WriteFile(FInstall / "config.ini", oldBytes);
    chmod((FInstall / "config.ini").c_str(), 0444);  // neither folder nor file can be written
    std::vector<std::string> shown;
    ErrorReportHook = [&](const std::string& message) { shown.push_back(message); };

    InitializeNyBase();
    Config->WriteInteger("frmOptions", "seStep.Value", 9);
    bool written;
    ::testing::internal::CaptureStderr();
    {
        UnwritableFolder unwritable(FInstall);
        written = FinalizeNyBase();
    }
    const std::string printed = ::testing::internal::GetCapturedStderr();

    EXPECT_FALSE(written);
    EXPECT_FALSE(Config);
    const std::string message = "Cannot write the settings file \"" +
                                (FInstall / "config.ini").string() + "\": Permission denied";
    EXPECT_EQ(shown, std::vector<std::string>{message});
    EXPECT_NE(printed.find(message), std::string::npos) << printed;
    EXPECT_EQ(ReadFile(FInstall / "config.ini"), oldBytes);
    EXPECT_EQ(FolderNames(FInstall), std::vector<std::string>{"config.ini"});
}

TEST_F(NyBaseTest, AnUnreadableSettingsFileFailsTheStartUp) {
    std::filesystem::create_directories(FInstall / "config.ini");
    SetAppPathValue(FInstall.string());
    EXPECT_THROW(InitializeNyBase(), SettingsError);
    EXPECT_FALSE(Config);
}

}  // namespace
}  // namespace corvane
