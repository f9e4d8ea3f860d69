#pragma once
// The program's run modes and how the command line chooses one.
//
// The screensaver switches: no argument or "/C..." opens the settings dialog; "/P" with a window
// id in decimal runs the preview inside that window ("/P" without a usable id runs full screen);
// anything else runs full screen. Only the first two characters of the first argument count,
// upper-cased. Besides these, the Linux screensaver hosts start the program with "--root" /
// "-root" (the window id then comes from XSCREENSAVER_WINDOW, hex "0x..." or decimal) or with
// "--window-id ID" / "-window-id ID" (hex or decimal, winning over the variable): the show is
// then drawn into the host's window, or onto the root window when no window is named.
// "--subfolders" / "-subfolders", anywhere, takes the pictures of the subfolders in for the run
// (XScreenSaver's settings append it when its box is ticked); it is not an argument of the mode
// switches.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

enum class TRunMode { Settings, Preview, FullScreen, Hosted, HostedRoot };

struct TCommandLine {
    TRunMode Mode = TRunMode::Settings;
    uint32_t WindowId = 0;  // the preview's or the host's window (Preview, Hosted)
    bool Subfolders = false;
};

// args without the program name; xscreensaverWindow is the value of XSCREENSAVER_WINDOW, if set.
TCommandLine ParseCommandLine(const std::vector<std::string>& args,
                              const std::optional<std::string>& xscreensaverWindow);

// A window id as the hosts write it: "0x" / "0X" and hex digits, or decimal digits; nothing else.
std::optional<uint32_t> ParseWindowId(const std::string& text);

}  // namespace corvane
