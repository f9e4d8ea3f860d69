// The shell tests' own main: the program's application object (on the offscreen platform unless
// the environment names another) with the picture formats registered. Started with
// CORVANE_GUARD_CHILD=<base name> it instead plays a second instance of the program for the guard
// tests and exits with what it saw.

#include <gtest/gtest.h>

#include <cstdlib>

#include "imaging/PictureFormats.h"
#include "shell/InstanceGuard.h"
#include "shell/ScreensaverApplication.h"

namespace {
int RunGuardChild(const std::string& baseName) {
    corvane::TInstanceGuard guard(baseName);
    if (!guard.SecondInstance()) return 3;
    return guard.ActivateFirstInstance() ? 0 : 4;
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    corvane::TScreensaverApplication app(argc, argv);
    if (const char* base = std::getenv("CORVANE_GUARD_CHILD")) return RunGuardChild(base);
    corvane::RegisterPictureFormats();
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    corvane::UnregisterPictureFormats();
    return result;
}
