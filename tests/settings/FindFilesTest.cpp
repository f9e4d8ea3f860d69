#include "settings/FindFiles.h"

#include <gtest/gtest.h>

#include "tests/settings/TestFolders.h"

namespace corvane {
namespace {

using testing::TempFolder;
using testing::WriteFile;

TEST(FindFiles, ListsFilesAndHiddenFilesSortedWithoutRegardToCase) {
    TempFolder pics;
    for (const char* name : {"b.jpg", "A.jpg", "c.bmp", ".hidden.png", "README"})
        WriteFile(pics / name, "x");
    std::filesystem::create_directory(pics / "sub");
    std::filesystem::create_directory_symlink(pics / "sub", pics / "linked folder");
    std::filesystem::create_symlink(pics / "c.bmp", pics / "d.bmp");
    const std::string folder = pics.Path().string();

    std::vector<std::string> list;
    EXPECT_EQ(FindFiles(folder, "*.*", list, true), 6);
    EXPECT_EQ(list, (std::vector<std::string>{folder + "/.hidden.png", folder + "/A.jpg",
                                              folder + "/b.jpg", folder + "/c.bmp",
                                              folder + "/d.bmp", folder + "/README"}));

    list = {"Zeta", "alpha"};  // names already in the list are sorted with the new ones
    EXPECT_EQ(FindFiles(folder, "*.JPG", list, false), 2);
    EXPECT_EQ(list, (std::vector<std::string>{"A.jpg", "alpha", "b.jpg", "Zeta"}));

    list.clear();
    EXPECT_EQ(FindFiles(folder, "?.bmp", list, false), 2);
    EXPECT_EQ(list, (std::vector<std::string>{"c.bmp", "d.bmp"}));
    EXPECT_EQ(FindFiles(folder + "/missing", "*.*", list, false), 0);
    EXPECT_EQ(list.size(), 2u);
}

}  // namespace
}  // namespace corvane
