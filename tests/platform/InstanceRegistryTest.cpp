#include "platform/InstanceRegistry.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane {
namespace {

std::string UniqueBaseName() {
    return InstanceBaseName("/tmp/corvane-guard-test-" + std::to_string(getpid()) + "/" +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

// Runs fn in a child process and returns its exit status.
template <typename Fn>
int InChild(Fn&& fn) {
    pid_t pid = fork();
    if (pid == 0) _exit(fn());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InstanceRegistry, BaseNameIsTheUpperCasedPathWithUnderscores) {
    EXPECT_EQ(InstanceBaseName("/usr/bin/corvane-slideshow"), "JCL_USR_BIN_CORVANE-SLIDESHOW");
}

TEST(InstanceRegistry, ASecondInstanceSeesTheFirstAndTheListEmptiesAgain) {
    const std::string base = UniqueBaseName();
    {
        TInstanceRegistry first(base);
        EXPECT_EQ(first.PreviousCount(), 0);
        EXPECT_EQ(InChild([&] {
                      TInstanceRegistry second(base);
                      return second.PreviousCount() == 1 && second.FirstInstance() == getppid()
                                 ? 0
                                 : 1;
                  }),
                  0);
        // The child removed itself: a third registration still sees only the first.
        EXPECT_EQ(InChild([&] { return TInstanceRegistry(base).PreviousCount(); }), 1);
        shm_unlink(first.ObjectName().c_str());
    }
}

TEST(InstanceRegistry, AnInstanceThatDiedWithoutUnregisteringDoesNotBlock) {
    const std::string base = UniqueBaseName();
    // The child registers and dies at once, as after kill -9, leaving its entry behind.
    EXPECT_EQ(InChild([&] {
                  new TInstanceRegistry(base);  // never destroyed
                  return 0;
              }),
              0);
    TInstanceRegistry next(base);
    EXPECT_EQ(next.PreviousCount(), 0);
    shm_unlink(next.ObjectName().c_str());
}

}  // namespace
}  // namespace corvane
