#include "shell/ShellFixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <mutex>
#include <thread>

#include "settings/NyBase.h"
#include "shell/SlideshowCycle.h"
#include "shell/SlideshowLists.h"
#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

namespace corvane::test {

namespace {
std::mutex ReportedMutex;
std::vector<std::string> Reported;
}  // namespace

std::vector<std::string> TakeReportedErrors() {
    std::lock_guard lock(ReportedMutex);
    return std::exchange(Reported, {});
}

int32_t PictureWidth(int index) {
    return 20 + index;
}

void WritePicture(const std::filesystem::path& file, int index) {
    WritePictureFile(MakePattern(index, PictureWidth(index), 12), file.string());
}

void TShellTest::SetUp() {
    char pattern[] = "/tmp/corvane-shell-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    FFolder = pattern;
    std::filesystem::create_directory(Pics());
    AppPath = FFolder.string() + "/";
    ResetSlideshowCycle();
    TakeReportedErrors();
    ErrorReportHook = [](const std::string& message) {
        std::lock_guard lock(ReportedMutex);
        Reported.push_back(message);
    };
}

void TShellTest::TearDown() {
    FinalizeSlideshowLists();
    if (Config) Config->SetAutoSave(false);
    Config.reset();
    AppPath.clear();
    ErrorReportHook = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(FFolder, ignored);
}

void TShellTest::WriteConfig(const std::string& text) {
    std::ofstream(FFolder / "config.ini", std::ios::binary | std::ios::trunc) << text;
}

void TShellTest::StartUp() {
    Config = std::make_unique<TNyConfig>(FFolder / "config.ini");
    InitializeSlideshowLists();
}

}  // namespace corvane::test
