#include "settings/Ticks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace corvane {
namespace {

TEST(TicksElapsed, CountsInUnsigned32BitArithmetic) {
    EXPECT_EQ(TicksBetween(100, 1100), 1000u);
    EXPECT_EQ(TicksBetween(0xFFFFFFF0u, 0x10u), 0x20u);  // across the wrap of the tick count
    EXPECT_EQ(TicksBetween(5, 5), 0u);

    StartTick();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_GE(TicksElapsed(), 29u);  // whole milliseconds of the clock, so one may be lost
}

}  // namespace
}  // namespace corvane
