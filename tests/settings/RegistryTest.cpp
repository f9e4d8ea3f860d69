#include "platform/Registry.h"

#include <gtest/gtest.h>

#include "tests/settings/TestFolders.h"

namespace corvane {
namespace {

using testing::ReadFile;
using testing::ScopedEnvironment;
using testing::TempFolder;
using testing::WriteFile;

TEST(Registry, KeysAreFoldersUnderTheConfigurationHome) {
    TempFolder home;
    ScopedEnvironment xdg("XDG_CONFIG_HOME", (home / "config").string());
    EXPECT_EQ(RegistryKeyFolder(HKEY_CURRENT_USER, "Software\\Lantrel\\Corvane Slideshow"),
              home / "config" / "Lantrel" / "Corvane Slideshow");
    EXPECT_EQ(RegistryKeyFolder(HKEY_CURRENT_USER, "SOFTWARE\\A\\\\B\\"),
              home / "config" / "A" / "B");
    EXPECT_THROW(RegistryKeyFolder(HKEY_CURRENT_USER, "Software\\..\\..\\etc"), RegistryError);

    ScopedEnvironment relative("XDG_CONFIG_HOME", "relative/folder");  // not absolute: ignored
    ScopedEnvironment homeVariable("HOME", home.Path().string());
    EXPECT_EQ(RegistryRootFolder(HKEY_CURRENT_USER), home / ".config");
}

TEST(Registry, OpenWithCreateMakesTheKeyAndValuesAreNameValueLines) {
    TempFolder home;
    ScopedEnvironment xdg("XDG_CONFIG_HOME", home.Path().string());
    EXPECT_THROW(RegistryKey(HKEY_CURRENT_USER, "Software\\Lantrel\\Corvane Slideshow", false),
                 RegistryError);
    RegistryKey key(HKEY_CURRENT_USER, "Software\\Lantrel\\Corvane Slideshow", true);
    EXPECT_TRUE(std::filesystem::is_directory(home / "Lantrel" / "Corvane Slideshow"));
    EXPECT_EQ(key.ReadString("AppPath"), std::nullopt);

    WriteFile(key.Folder() / "registry",
              "comment line\r\nappPATH=/opt/first dir \r\nAppPath=/opt/second\nEmpty=\n");
    EXPECT_EQ(key.ReadString("AppPath"), "/opt/first dir ");  // case-insensitive, first wins
    EXPECT_EQ(key.ReadString("empty"), "");

    key.WriteString("APPPATH", "/usr/share/corvane");
    key.WriteString("Other", "a=b");
    EXPECT_EQ(ReadFile(key.Folder() / "registry"),
              "comment line\nAPPPATH=/usr/share/corvane\nAppPath=/opt/second\nEmpty=\n"
              "Other=a=b\n");
    EXPECT_THROW(key.WriteString("AppPath", "two\nlines"), RegistryError);
    EXPECT_THROW(key.WriteString("a=b", "x"), RegistryError);
}

}  // namespace
}  // namespace corvane
