#include "shell/InstanceGuard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QWidget>

#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/InstanceRegistry.h"
#include "shell/ShellFixtures.h"

namespace corvane::test {
namespace {

std::string UniqueBaseName() {
    return InstanceBaseName("/tmp/corvane-guard-" + std::to_string(getpid()) + "/" +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

// Starts this test program as a second instance of the base name (see ShellTestMain.cpp).
QProcess* StartSecondInstance(const std::string& baseName) {
    auto* process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CORVANE_GUARD_CHILD", QString::fromStdString(baseName));
    process->setProcessEnvironment(env);
    process->start(QCoreApplication::applicationFilePath(), {});
    return process;
}

void RemoveSharedList(const std::string& baseName) {
    // The same object name the registry uses.
    TInstanceRegistry probe(baseName);
    shm_unlink(probe.ObjectName().c_str());
}

TEST(InstanceGuard, ASecondInstanceAsksTheFirstToComeForwardAndEnds) {
    const std::string base = UniqueBaseName();
    {
        TInstanceGuard first(base);
        ASSERT_FALSE(first.SecondInstance());
        int requests = 0;
        first.OnActivateRequest = [&] { ++requests; };

        std::unique_ptr<QProcess> second(StartSecondInstance(base));
        ASSERT_TRUE(WaitUntil([&] { return second->state() == QProcess::NotRunning; }, 20000));
        EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second->exitCode(), 0);  // it was second and its request got through
        ASSERT_TRUE(WaitUntil([&] { return requests == 1; }, 5000));

        // The second one removed itself from the list: the first is still the only one.
        TInstanceRegistry third(base);
        EXPECT_EQ(third.PreviousCount(), 1);
    }
    RemoveSharedList(base);
}

TEST(InstanceGuard, TheRequestRestoresAndRaisesTheWindow) {
    const std::string base = UniqueBaseName();
    {
        TInstanceGuard first(base);
        QWidget window;
        window.show();
        window.showMinimized();
        ASSERT_TRUE(WaitUntil([&] { return window.isMinimized(); }));
        std::unique_ptr<QProcess> second(StartSecondInstance(base));
        ASSERT_TRUE(WaitUntil([&] { return !window.isMinimized(); }));
        EXPECT_TRUE(WaitUntil([&] { return second->state() == QProcess::NotRunning; }));
        EXPECT_EQ(second->exitCode(), 0);
    }
    RemoveSharedList(base);
}

TEST(InstanceGuard, ASocketLeftByADeadInstanceDoesNotStopTheNextFromListening) {
    const std::string base = UniqueBaseName();
    const QString name = TInstanceGuard::ServerName(base);
    // A stale socket file, bound and never removed, as a killed instance leaves it.
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = name.toUtf8();
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
        ASSERT_TRUE(QFile::exists(name));
    }
    {
        TInstanceGuard first(base);
        ASSERT_FALSE(first.SecondInstance());
        int requests = 0;
        first.OnActivateRequest = [&] { ++requests; };
        std::unique_ptr<QProcess> second(StartSecondInstance(base));
        ASSERT_TRUE(WaitUntil([&] { return requests == 1; }));
        EXPECT_TRUE(WaitUntil([&] { return second->state() == QProcess::NotRunning; }));
    }
    RemoveSharedList(base);
}

TEST(InstanceGuard, TheServerNameFitsALocalSocket) {
    const std::string longBase = InstanceBaseName("/" + std::string(300, 'x'));
    const QString name = TInstanceGuard::ServerName(longBase);
    EXPECT_LE(name.size(), 100);
    EXPECT_TRUE(name.startsWith('/'));
    EXPECT_NE(TInstanceGuard::ServerName(InstanceBaseName("/a/one")),
              TInstanceGuard::ServerName(InstanceBaseName("/a/two")));
}

}  // namespace
}  // namespace corvane::test
