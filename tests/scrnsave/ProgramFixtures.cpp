#include "ProgramFixtures.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <thread>

#include "platform/InstanceRegistry.h"
#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

extern char** environ;

namespace corvane::test {

std::string ProgramPath() {
    return CORVANE_BINARY_DIR "/scrnsave/corvane-slideshow";
}
std::string InstallerPath() {
    return CORVANE_SOURCE_DIR "/scripts/corvane-slideshow-install";
}
std::string DataPath() {
    return CORVANE_BINARY_DIR "/share/corvane-slideshow";
}

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

std::string QuickConfig(int picDelayMs) {
    return std::string(ConfigMarker) +
           "\n[frmOptions]\nseStep.Value=20\nseDelay.Value=10\nsePicDelay.Value=" +
           std::to_string(picDelayMs) + "\n";
}

bool WrittenByTheProgram(const TSandbox& sandbox) {
    const std::string text = ReadText(sandbox.ConfigFile());
    return !text.empty() && text.find(ConfigMarker) == std::string::npos &&
           text.find("[frmOptions]") != std::string::npos;
}

bool InstallQuickShow(TSandbox& sandbox, int picDelayMs, const std::string& extra) {
    std::filesystem::remove_all(sandbox.Pics());
    WriteText(sandbox.ConfigFile(), QuickConfig(picDelayMs) + extra);
    return sandbox.Install() == 0;
}

bool Eventually(const std::function<bool()>& condition, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

TProcess::TProcess(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& env,
                   const std::filesystem::path& folder) {
    static int counter = 0;
    const std::string tag = std::to_string(getpid()) + "-" + std::to_string(++counter);
    FOut = folder / ("out-" + tag + ".txt");
    FErr = folder / ("err-" + tag + ".txt");

    std::map<std::string, std::string> all;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const size_t eq = entry.find('=');
        if (eq != std::string::npos) all[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto& [name, value] : env) {
        if (value.empty())
            all.erase(name);
        else
            all[name] = value;
    }
    std::vector<std::string> envStrings;
    for (const auto& [name, value] : all) envStrings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);

    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& s : argStrings) argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, FOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, FErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A process group of its own, as the hosts start their savers.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    if (posix_spawn(&FPid, program.c_str(), &actions, &attributes, argv.data(), envp.data()) != 0)
        FPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
}

TProcess::~TProcess() {
    if (Running()) {
        ::kill(FPid, SIGKILL);
        Wait(10000);
    }
}

std::optional<int> TProcess::Wait(int timeoutMs) {
    if (FStatus || FPid <= 0) return FStatus;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(FPid, &status, WNOHANG);
        if (done == FPid) {
            FStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return FStatus;
        }
        if (std::chrono::steady_clock::now() > end) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool TProcess::Running() {
    return FPid > 0 && !Wait(0);
}

void TProcess::Signal(int signalNumber) {
    if (Running()) ::kill(FPid, signalNumber);
}

std::string TProcess::Output() const {
    return ReadText(FOut);
}
std::string TProcess::Errors() const {
    return ReadText(FErr);
}

TSandbox::TSandbox() {
    char pattern[] = "/tmp/corvane-program-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    FRoot = pattern;
    for (const char* folder : {"home", "config", "runtime", "app", "app/Pics"})
        std::filesystem::create_directories(FRoot / folder);
    ::chmod((FRoot / "runtime").c_str(), 0700);
    // AppPath names the sandbox's installation folder, as the installer would write it.
    std::filesystem::create_directories(RegistryFile().parent_path());
    WriteText(RegistryFile(), "AppPath=" + App().string() + "/\n");
}

TSandbox::~TSandbox() {
    std::error_code ignored;
    std::filesystem::remove_all(FRoot, ignored);
}

std::filesystem::path TSandbox::RegistryFile() const {
    return ConfigHome() / "Lantrel" / "Corvane Slideshow" / "registry";
}

std::map<std::string, std::string> TSandbox::Environment(
    const std::map<std::string, std::string>& extra) const {
    std::map<std::string, std::string> env = {
        {"HOME", Home().string()},
        {"XDG_CONFIG_HOME", ConfigHome().string()},
        {"XDG_RUNTIME_DIR", (FRoot / "runtime").string()},
        {"XSCREENSAVER_WINDOW", ""},
    };
    for (const auto& [name, value] : extra) env[name] = value;
    return env;
}

int TSandbox::Install(const std::vector<std::string>& options,
                      const std::map<std::string, std::string>& extra) {
    std::vector<std::string> args = {"--data",      DataPath(),   "--program",
                                     ProgramPath(), "--app-path", App().string()};
    args.insert(args.end(), options.begin(), options.end());
    TProcess installer(InstallerPath(), args, Environment(extra), FRoot);
    const int status = installer.Wait(60000).value_or(-1);
    FInstallOutput = installer.Output() + installer.Errors();
    return status;
}

std::unique_ptr<TProcess> TSandbox::Start(const std::vector<std::string>& args,
                                          const std::map<std::string, std::string>& extra) {
    ++FRuns;
    return std::make_unique<TProcess>(ProgramPath(), args, Environment(extra), FRoot);
}

void TSandbox::WritePictures(int count, int width, int height) {
    for (int i = 0; i < count; ++i)
        WritePictureFile(MakePattern(i, width, height),
                         (Pics() / ("pic-" + std::to_string(100 + i) + ".jpg")).string());
}

std::filesystem::path GuardSocket(const TSandbox& sandbox) {
    // As the guard names it: the base name and "_Msg" in the runtime folder, or a hash when that
    // is too long for a local socket (then the test looks for the one socket in the folder).
    const std::filesystem::path runtime = sandbox.Root() / "runtime";
    const std::string name = InstanceBaseName(ProgramPath()) + "_Msg";
    if (runtime.string().size() + 1 + name.size() <= 100) return runtime / name;
    for (const auto& entry : std::filesystem::directory_iterator(runtime))
        if (entry.path().filename().string().rfind("corvane-", 0) == 0) return entry.path();
    return runtime / "corvane-";
}

}  // namespace corvane::test
