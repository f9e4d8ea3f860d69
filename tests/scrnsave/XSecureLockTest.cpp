// The show as xsecurelock's saver, with the real xsecurelock (run under xvfb-run): the README's
// setting XSECURELOCK_SAVER=<full path of the program> is all it takes. xsecurelock starts the
// saver as "<path> -root" with its window's id in decimal in XSCREENSAVER_WINDOW, and ends it
// with SIGTERM to its process group when the screen is unlocked or xsecurelock is ended.

#include <gtest/gtest.h>
#include <signal.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "ProgramFixtures.h"
#include "X11Screen.h"

namespace corvane::test {
namespace {

// The NUL-separated strings of /proc/<pid>/<file>.
std::vector<std::string> ProcStrings(pid_t pid, const char* file) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file, std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> strings;
    size_t begin = 0;
    for (size_t end; (end = all.find('\0', begin)) != std::string::npos; begin = end + 1)
        strings.push_back(all.substr(begin, end - begin));
    return strings;
}

// A live (not zombie) process running the program with these arguments.
std::optional<pid_t> FindProgram(const std::vector<std::string>& command) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.empty() || !std::isdigit(static_cast<unsigned char>(name[0]))) continue;
        const pid_t pid = std::stoi(name);
        if (ProcStrings(pid, "cmdline") == command) return pid;
    }
    return std::nullopt;
}

bool Alive(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    const size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

TEST(XSecureLock, RunsTheShowAsItsSaverAndEndsIt) {
    TSandbox sandbox;
    std::filesystem::remove_all(sandbox.Pics());
    WriteText(sandbox.ConfigFile(), QuickConfig());
    ASSERT_EQ(sandbox.Install(), 0) << sandbox.InstallOutput();

    const std::string program = std::filesystem::canonical(ProgramPath());
    TProcess locker("/usr/bin/xsecurelock", {},
                    sandbox.Environment({{"XSECURELOCK_SAVER", program}}), sandbox.Root());

    std::optional<pid_t> saver;
    ASSERT_TRUE(Eventually([&] {
        return (saver = FindProgram({program, "-root"})).has_value();
    })) << locker.Errors();
    EXPECT_EQ(getpgid(*saver), *saver) << "the saver runs in a process group of its own";

    std::string window;
    for (const std::string& variable : ProcStrings(*saver, "environ"))
        if (variable.rfind("XSCREENSAVER_WINDOW=", 0) == 0) window = variable.substr(20);
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(std::all_of(window.begin(), window.end(), ::isdigit)) << window;

    TX11 x;
    const uint32_t id = uint32_t(std::stoul(window));
    EXPECT_TRUE(Eventually([&] { return x.Shot(id).ShowsAPicture(); }, 15000));
    EXPECT_TRUE(Alive(*saver));

    locker.Signal(SIGTERM);
    EXPECT_TRUE(locker.Wait(10000).has_value());
    EXPECT_TRUE(Eventually([&] { return !Alive(*saver); }, 10000));
}

}  // namespace
}  // namespace corvane::test
