// The test program's own main: the player needs an application object, on the offscreen
// platform unless the environment names another.

#include <gtest/gtest.h>

#include <QApplication>

#include "player/PlayerFixtures.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    corvane::test::TTestApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
