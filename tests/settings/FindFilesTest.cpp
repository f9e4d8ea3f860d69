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

TEST(FindFilesInTree, ListsTheTreeByPathSkippingHiddenFoldersAndFollowingEachFolderOnce) {
    namespace fs = std::filesystem;
    TempFolder pics;
    const fs::path root = pics.Path();
    for (const char* folder : {"2023/12 December", "2023/2 February", "Trips/Alps", ".thumbnails",
                               "Trips/.cache", "empty"})
        fs::create_directories(root / folder);
    for (const char* file : {"b.png", "A.jpg", ".hidden.jpg", "2023/12 December/IMG_2.HEIC",
                             "2023/12 December/img_1.heic", "2023/2 February/shot.webp",
                             "2023/a.jpg", "Trips/Alps/peak.jpg", "Trips/z.jpg",
                             ".thumbnails/t.png", "Trips/.cache/c.jpg"})
        WriteFile(root / file, "x");
    // A link back up the tree (a cycle), a second way into a folder already listed, a link out
    // of the tree, and a dangling link (listed, as a file it would be).
    fs::create_directory_symlink(root, root / "Trips/Alps/back to top");
    fs::create_directory_symlink(root / "Trips/Alps", root / "alps link");
    TempFolder elsewhere;
    WriteFile(elsewhere / "outside.jpg", "x");
    fs::create_directory_symlink(elsewhere.Path(), root / "Linked");
    fs::create_symlink(root / "gone", root / "zz dangling");
    const std::string top = root.string();

    const std::vector<std::string> relative = {
        "/.hidden.jpg",
        "/2023/12 December/img_1.heic",
        "/2023/12 December/IMG_2.HEIC",
        "/2023/2 February/shot.webp",
        "/2023/a.jpg",
        "/A.jpg",
        "/alps link/peak.jpg",  // the Alps reached first through the link, listed once
        "/b.png",
        "/Linked/outside.jpg",
        "/Trips/z.jpg",
        "/zz dangling",
    };
    std::vector<std::string> expected;
    for (const std::string& path : relative) expected.push_back(top + path);
    std::vector<std::string> list;
    EXPECT_EQ(FindFilesInTree(top, list), int(expected.size()));
    EXPECT_EQ(list, expected);

    // At most so many files: the first ones in that order.
    list.clear();
    EXPECT_EQ(FindFilesInTree(top, list, 3), 3);
    EXPECT_EQ(list, std::vector<std::string>(expected.begin(), expected.begin() + 3));
    list.clear();
    EXPECT_EQ(FindFilesInTree(top + "/missing", list), 0);
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace corvane
