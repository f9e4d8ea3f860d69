#pragma once
// Scratch folders and scoped changes of the process's environment for the settings tests.

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace corvane::testing {

// A fresh folder under /tmp, removed with everything in it at the end of the scope.
class TempFolder {
  public:
    TempFolder() {
        char pattern[] = "/tmp/corvane-settings-XXXXXX";
        if (!mkdtemp(pattern)) ADD_FAILURE() << "mkdtemp failed";
        FPath = pattern;
        chmod(pattern, 0755);  // reachable by the unprivileged user of UnwritableFolder
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::filesystem::path operator/(const std::string& name) const { return FPath / name; }

  private:
    std::filesystem::path FPath;
};

inline void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names in a folder, to see that a failed write leaves nothing behind.
inline std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Sets an environment variable for the scope.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : FName(name) {
        if (const char* old = getenv(name)) FOld = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (FOld)
            setenv(FName, FOld->c_str(), 1);
        else
            unsetenv(FName);
    }

  private:
    const char* FName;
    std::optional<std::string> FOld;
};

// Makes a folder unwritable for the scope. The tests run as root, whom permission bits do not
// stop, so root takes the effective user id of "nobody" meanwhile (and takes root back after).
class UnwritableFolder {
  public:
    explicit UnwritableFolder(const std::filesystem::path& folder) : FFolder(folder) {
        chmod(FFolder.c_str(), 0555);
        if (geteuid() == 0) {
            EXPECT_EQ(seteuid(65534), 0);
            FWasRoot = true;
        }
    }
    ~UnwritableFolder() {
        if (FWasRoot) {
            EXPECT_EQ(seteuid(0), 0);
        }
        chmod(FFolder.c_str(), 0755);
    }

  private:
    std::filesystem::path FFolder;
    bool FWasRoot = false;
};

// Limits the size of files the process may write, so that a write fails part way as on a full
// disk (with EFBIG instead of ENOSPC).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        FOldSignal = signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FOld);
        signal(SIGXFSZ, FOldSignal);
    }

  private:
    rlimit FOld{};
    sighandler_t FOldSignal;
};

}  // namespace corvane::testing
