#include "settings/SettingsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "settings/SettingsError.h"
#include "tests/settings/TestFolders.h"

namespace corvane {
namespace {

using testing::FileSizeLimit;
using testing::FolderNames;
using testing::ReadFile;
using testing::TempFolder;
using testing::UnwritableFolder;
using testing::WriteFile;

std::string Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const SettingsError& error) {
        return error.what();
    }
    return "<no error>";
}

// A failed replace keeps the old file byte for byte, leaves no half-written file next to it and
// names the file and the system's reason.
TEST(WriteSettingsFile, AFailedWriteKeepsTheOldFileWhole) {
    const std::string oldBytes = "[frmOptions]\r\nseStep.Value=7\r\n; kept as it was\r\n";
    const std::string newText = "[frmOptions]\nseStep.Value=" + std::string(8000, '9') + "\n\n";
    using Path = std::filesystem::path;
    using Action = std::function<void()>;
    const struct {
        const char* what;
        mode_t fileMode;
        void (*runFailing)(const Path& folder, const Action& write);
        const char* reason;
    } cases[] = {
        {"folder that became unwritable, with a file that cannot be written either", 0444,
         [](const Path& folder, const Action& write) {
             UnwritableFolder unwritable(folder);
             write();
         },
         "Permission denied"},
        {"write that fails part way, as on a full disk (never retried in place)", 0666,
         [](const Path&, const Action& write) {
             FileSizeLimit limit(1024);
             write();
         },
         "File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const auto file = folder / "config.ini";
        WriteFile(file, oldBytes);
        chmod(file.c_str(), c.fileMode);
        std::string message;
        c.runFailing(folder.Path(),
                     [&] { message = Message([&] { WriteSettingsFile(file, newText); }); });
        EXPECT_EQ(message, "Cannot write the settings file \"" + file.string() + "\": " + c.reason);
        EXPECT_EQ(ReadFile(file), oldBytes);
        EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"config.ini"});
    }
}

// Where the folder takes no new file but the file itself may be written, it is written in place.
TEST(WriteSettingsFile, AWritableFileInAFolderOfOthersIsWrittenInPlace) {
    TempFolder folder;
    const auto file = folder / "config.ini";
    WriteFile(file,
              "[frmOptions]\nseStep.Value=7\n; a long comment that makes the old file longer\n");
    chmod(file.c_str(), 0666);
    const std::string newText = "[frmOptions]\nseStep.Value=9\n\n";
    {
        UnwritableFolder unwritable(folder.Path());
        EXPECT_NO_THROW(WriteSettingsFile(file, newText));
    }
    EXPECT_EQ(ReadFile(file), newText);
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666u);
    EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"config.ini"});
}

TEST(WriteSettingsFile, AMissingFolderIsReportedByName) {
    TempFolder folder;
    const auto file = folder / "missing" / "config.ini";
    EXPECT_EQ(
        Message([&] { WriteSettingsFile(file, "[a]\n\n"); }),
        "Cannot write the settings file \"" + file.string() + "\": No such file or directory");
}

TEST(WriteSettingsFile, ReplacesTheContentKeepingPermissionsAndLinks) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "real");
    WriteFile(folder / "real" / "config.ini", "old");
    chmod((folder / "real" / "config.ini").c_str(), 0640);
    std::filesystem::create_symlink("real/config.ini", folder / "config.ini");

    WriteSettingsFile(folder / "config.ini", "[a]\nk=1\n\n");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "config.ini"));
    EXPECT_EQ(ReadFile(folder / "real" / "config.ini"), "[a]\nk=1\n\n");
    struct stat info {};
    ASSERT_EQ(stat((folder / "real" / "config.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderNames(folder / "real"), std::vector<std::string>{"config.ini"});
}

TEST(ReadSettingsFile, MissingFilesAreEmptyOtherFailuresAreErrors) {
    TempFolder folder;
    EXPECT_EQ(ReadSettingsFile(folder / "config.ini"), std::nullopt);
    WriteFile(folder / "plain", "x");
    EXPECT_EQ(ReadSettingsFile(folder / "plain" / "config.ini"), std::nullopt);

    std::filesystem::create_directory(folder / "folder");
    ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0644), 0);
    ASSERT_EQ(truncate((folder / "huge").c_str(), 0), -1);  // no such file yet
    WriteFile(folder / "huge", "");
    ASSERT_EQ(truncate((folder / "huge").c_str(), off_t(MaxSettingsFileSize) + 1), 0);

    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"folder", "Is a directory"},
        {"pipe", "not a regular file"},  // and no wait for a writer
        {"huge", "the file is too large"},
    };
    for (const auto& c : cases) {
        const auto file = folder / c.name;
        EXPECT_EQ(Message([&] { ReadSettingsFile(file); }),
                  "Cannot read the settings file \"" + file.string() + "\": " + c.reason);
    }
}

}  // namespace
}  // namespace corvane
