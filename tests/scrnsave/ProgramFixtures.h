#pragma once
// Fixtures of the tests that run the built programs: a sandbox with its own home, configuration
// home (where the registry lives), runtime folder and installation folder, so that no test
// touches the real user's settings; the installer run into it; and child processes with an
// environment of their own, their output kept in files.

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

std::string ProgramPath();    // the built corvane-slideshow
std::string InstallerPath();  // scripts/corvane-slideshow-install
std::string DataPath();       // the staged share/corvane-slideshow of the build

std::string ReadText(const std::filesystem::path& file);
void WriteText(const std::filesystem::path& file, const std::string& text);

// A settings file for short runs: fast transitions, a short pause, and a comment line that the
// program's own write leaves out, so that a test can tell whether the file was written.
std::string QuickConfig(int picDelayMs = 200);
constexpr const char* ConfigMarker = "; written by the test";

class TProcess {
  public:
    // Starts the program with the environment of this process changed by `env` (an empty value
    // removes the variable); standard output and error go to files in `folder`.
    TProcess(const std::string& program, const std::vector<std::string>& args,
             const std::map<std::string, std::string>& env, const std::filesystem::path& folder);
    // Kills the process if it still runs.
    ~TProcess();
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    pid_t Pid() const { return FPid; }
    // Waits for the end; the exit status (or 128 + signal), or nothing when it still runs.
    std::optional<int> Wait(int timeoutMs);
    bool Running();
    void Signal(int signalNumber);
    std::string Output() const;
    std::string Errors() const;

  private:
    pid_t FPid = -1;
    std::optional<int> FStatus;
    std::filesystem::path FOut, FErr;
};

class TSandbox {
  public:
    TSandbox();
    ~TSandbox();
    TSandbox(const TSandbox&) = delete;
    TSandbox& operator=(const TSandbox&) = delete;

    const std::filesystem::path& Root() const { return FRoot; }
    std::filesystem::path Home() const { return FRoot / "home"; }
    std::filesystem::path ConfigHome() const { return FRoot / "config"; }
    std::filesystem::path App() const { return FRoot / "app"; }
    std::filesystem::path Pics() const { return App() / "Pics"; }
    std::filesystem::path ConfigFile() const { return App() / "config.ini"; }
    std::filesystem::path RegistryFile() const;

    // HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR of the sandbox, plus the extra settings.
    std::map<std::string, std::string> Environment(
        const std::map<std::string, std::string>& extra = {}) const;

    // Runs the installer into App() with the build's data and program; returns its exit status.
    int Install(const std::vector<std::string>& options = {},
                const std::map<std::string, std::string>& extra = {});
    // The installer's output of the last Install.
    const std::string& InstallOutput() const { return FInstallOutput; }

    // Starts the program in the sandbox.
    std::unique_ptr<TProcess> Start(const std::vector<std::string>& args,
                                    const std::map<std::string, std::string>& extra = {});

    // Writes `count` small JPEG pictures into Pics.
    void WritePictures(int count, int width = 320, int height = 180);

  private:
    std::filesystem::path FRoot;
    std::string FInstallOutput;
    int FRuns = 0;
};

// Whether the program has written the settings file: its own layout, without the marker line of
// the test's file.
bool WrittenByTheProgram(const TSandbox& sandbox);
// An installed show with its sample pictures and short intervals; optional lines are added to the
// settings file (a section of their own, say). Returns whether the installer succeeded.
bool InstallQuickShow(TSandbox& sandbox, int picDelayMs = 300, const std::string& extra = "");

// The guard's local socket of the built program in the sandbox: it exists while a first instance
// runs (once it is up).
std::filesystem::path GuardSocket(const TSandbox& sandbox);

// Polls until the condition holds or the time is up.
bool Eventually(const std::function<bool()>& condition, int timeoutMs = 20000);

}  // namespace corvane::test
