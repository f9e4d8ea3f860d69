#pragma once
// Settings the Linux program has beyond the design's: they live in the settings file's own
// section "Linux", read and written by the same store.

#include <string_view>

namespace corvane {

inline constexpr std::string_view LinuxSection = "Linux";
// 1: the picture list holds the files of the pictures folder's whole tree; 0 (the default): the
// folder's own files, as the design lists them.
inline constexpr std::string_view SubfoldersKey = "Subfolders";
// 1 (the default): the standalone full-screen show puts a window on every screen; 0: the design's
// single window, on the primary screen.
inline constexpr std::string_view AllScreensKey = "AllScreens";

}  // namespace corvane
