#include "scrnsave/CommandLine.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct TCase {
    std::vector<std::string> Args;
    std::optional<std::string> Variable;  // XSCREENSAVER_WINDOW
    TRunMode Mode;
    uint32_t WindowId;
};

std::string Describe(const TCase& c) {
    std::string text = "args:";
    for (const auto& a : c.Args) text += " [" + a + "]";
    if (c.Variable) text += " XSCREENSAVER_WINDOW=" + *c.Variable;
    return text;
}

TEST(CommandLine, ChoosesTheModeAndWindow) {
    using enum TRunMode;
    const std::vector<TCase> cases = {
        // The screensaver switches: only the first two characters count, upper-cased.
        {{}, std::nullopt, Settings, 0},
        {{"/C"}, std::nullopt, Settings, 0},
        {{"/c:1234"}, std::nullopt, Settings, 0},
        {{"/c", "whatever"}, std::nullopt, Settings, 0},
        {{"/s"}, std::nullopt, FullScreen, 0},
        {{"/S"}, std::nullopt, FullScreen, 0},
        {{"/a"}, std::nullopt, FullScreen, 0},
        {{"hello"}, std::nullopt, FullScreen, 0},
        {{""}, std::nullopt, FullScreen, 0},
        {{"/"}, std::nullopt, FullScreen, 0},
        {{"/p", "1234"}, std::nullopt, Preview, 1234},
        {{"/P:x", " 77"}, std::nullopt, Preview, 77},
        {{"/P", "+5"}, std::nullopt, Preview, 5},
        // "/P" without a usable handle runs full screen.
        {{"/p"}, std::nullopt, FullScreen, 0},
        {{"/p", "abc"}, std::nullopt, FullScreen, 0},
        {{"/p", "12ab"}, std::nullopt, FullScreen, 0},
        {{"/p", "-5"}, std::nullopt, FullScreen, 0},
        {{"/p", ""}, std::nullopt, FullScreen, 0},
        {{"/p", "99999999999"}, std::nullopt, FullScreen, 0},
        // The variable alone changes nothing.
        {{"/s"}, "0x1a00007", FullScreen, 0},
        {{}, "0x1a00007", Settings, 0},
        // The Linux hosts.
        {{"--root"}, "0x1a00007", Hosted, 0x1a00007},
        {{"-root"}, "12345", Hosted, 12345},
        {{"--root"}, std::nullopt, HostedRoot, 0},
        {{"-root"}, "not-a-window", HostedRoot, 0},
        {{"--window-id", "0x2c00003"}, std::nullopt, Hosted, 0x2c00003},
        {{"-window-id", "4242"}, "0x1a00007", Hosted, 4242},
        {{"--root", "--window-id", "0X10"}, "0x1a00007", Hosted, 16},
        {{"/s", "--root"}, "0x11", Hosted, 17},
        {{"--window-id", "junk"}, "0x11", Hosted, 17},
        {{"--window-id"}, std::nullopt, HostedRoot, 0},
    };
    for (const TCase& c : cases) {
        const TCommandLine line = ParseCommandLine(c.Args, c.Variable);
        EXPECT_EQ(line.Mode, c.Mode) << Describe(c);
        EXPECT_EQ(line.WindowId, c.WindowId) << Describe(c);
    }
}

TEST(CommandLine, TheSubfoldersFlagStandsAnywhereAndIsNoModeArgument) {
    using enum TRunMode;
    const std::vector<std::pair<TCase, bool>> cases = {
        {{{"--root", "--subfolders"}, "0x11", Hosted, 17}, true},
        {{{"-subfolders", "--window-id", "0x2c"}, std::nullopt, Hosted, 0x2c}, true},
        {{{"/s", "--subfolders"}, std::nullopt, FullScreen, 0}, true},
        {{{"--subfolders", "/p", "77"}, std::nullopt, Preview, 77}, true},
        {{{"--subfolders"}, std::nullopt, Settings, 0}, true},
        {{{"/s", "--sub"}, std::nullopt, FullScreen, 0}, false},
        {{{"--root"}, "0x11", Hosted, 17}, false},
    };
    for (const auto& [c, subfolders] : cases) {
        const TCommandLine line = ParseCommandLine(c.Args, c.Variable);
        EXPECT_EQ(line.Mode, c.Mode) << Describe(c);
        EXPECT_EQ(line.WindowId, c.WindowId) << Describe(c);
        EXPECT_EQ(line.Subfolders, subfolders) << Describe(c);
    }
}

TEST(CommandLine, ReadsWindowIdsAsTheHostsWriteThem) {
    EXPECT_EQ(ParseWindowId("0x1A00007"), 0x1A00007u);
    EXPECT_EQ(ParseWindowId("0Xff"), 0xFFu);
    EXPECT_EQ(ParseWindowId("31457287"), 31457287u);
    EXPECT_EQ(ParseWindowId("0xFFFFFFFF"), 0xFFFFFFFFu);
    for (const char* bad : {"", "0x", "0x-1", "-1", "+1", " 1", "1 ", "0x1g", "0x100000000", "abc"})
        EXPECT_EQ(ParseWindowId(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace corvane
