// The session screensaver inhibition on a session bus of its own (run under dbus-run-session).
// A stand-in for the session's screensaver service runs in a second process: this test program
// started with CORVANE_SCREENSAVER_SERVICE set, noting each call it receives on standard output.

#include "shell/SessionInhibitor.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <cstdio>

namespace corvane::test {

class TScreenSaverService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

  public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        std::printf("Inhibit %s: %s\n", qPrintable(application), qPrintable(reason));
        std::fflush(stdout);
        return 4711;
    }
    void UnInhibit(uint cookie) {
        std::printf("UnInhibit %u\n", cookie);
        std::fflush(stdout);
    }
};

namespace {

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return true;
}

bool ServiceRegistered() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(
        "org.freedesktop.ScreenSaver");
}

TEST(SessionInhibitor, WithoutTheServiceNothingIsDone) {
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "no session bus";
    ASSERT_FALSE(ServiceRegistered());
    // No session service and no X server (offscreen platform): quietly skipped.
    TSessionInhibitor inhibitor;
    EXPECT_EQ(inhibitor.Method(), TSessionInhibitor::TMethod::Nothing);
}

TEST(SessionInhibitor, InhibitsThroughTheSessionServiceWhileItLives) {
    QProcess service;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CORVANE_SCREENSAVER_SERVICE", "1");
    service.setProcessEnvironment(env);
    service.start(QCoreApplication::applicationFilePath(), {});
    ASSERT_TRUE(WaitFor(ServiceRegistered));
    {
        TSessionInhibitor inhibitor;
        EXPECT_EQ(inhibitor.Method(), TSessionInhibitor::TMethod::SessionBus);
        ASSERT_TRUE(WaitFor([&] { return service.peek(4096).contains("Inhibit Corvane"); }));
        EXPECT_FALSE(service.peek(4096).contains("UnInhibit"));
    }
    ASSERT_TRUE(WaitFor([&] { return service.peek(4096).contains("UnInhibit 4711"); }));
    service.kill();
    service.waitForFinished();
}

}  // namespace

// The stand-in service's own main loop.
int RunScreenSaverService() {
    TScreenSaverService service;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject("/org/freedesktop/ScreenSaver", &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService("org.freedesktop.ScreenSaver"))
        return 3;
    return QCoreApplication::exec();
}

}  // namespace corvane::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("CORVANE_SCREENSAVER_SERVICE"))
        return corvane::test::RunScreenSaverService();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "SessionInhibitorTest.moc"
