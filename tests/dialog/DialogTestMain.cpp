// The dialog tests' own main: the program's application object (its error report catches what
// escapes an event handler) on the offscreen platform unless the environment names another, with
// the picture formats registered.

#include <gtest/gtest.h>

#include "imaging/PictureFormats.h"
#include "shell/ScreensaverApplication.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    corvane::TScreensaverApplication app(argc, argv);
    corvane::RegisterPictureFormats();
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    corvane::UnregisterPictureFormats();
    return result;
}
