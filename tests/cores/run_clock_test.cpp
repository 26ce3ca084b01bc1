#include "cores/run_clock.h"

#include <gtest/gtest.h>

namespace {

uint64_t theAwake = 5000, theWall = 900000;
uint64_t Awake() {
    return theAwake;
}
uint64_t Wall() {
    return theWall;
}

// Time asleep is no run time: not in a silence, a burst's length nor --duration; it is told once.
TEST(RunClock, TheRunsTimeLeavesOutTheTimeAsleep) {
    RunClock clock;
    StartClock(&clock, Awake, Wall, 7000);              // a resumed run goes on from its last row
    theAwake += 1000, theWall += 1000 + kSleepNoticeMs; // jitter, not sleep
    EXPECT_EQ(8000u, ReadClock(&clock));
    EXPECT_EQ(0u, TakeSleep(&clock));
    theAwake += 500, theWall += 500 + 3600000 + 1;
    EXPECT_EQ(8500u, ReadClock(&clock)) << "an hour asleep";
    theWall += 60000;
    ReadClock(&clock);
    EXPECT_EQ(3660001u, TakeSleep(&clock));
    EXPECT_EQ(0u, TakeSleep(&clock)) << "told once";
}

// The tick count goes on past its wrap, and again at the next; an equal read is no wrap.
TEST(RunClock, TickCountsCarryPastTheirWrap) {
    TickCarry carry = {};
    const uint64_t wrap = uint64_t(1) << 32;
    EXPECT_EQ(0xFFFFFFF0u, CarryTicks(&carry, 0xFFFFFFF0u));
    EXPECT_EQ(0xFFFFFFF0u, CarryTicks(&carry, 0xFFFFFFF0u));
    EXPECT_EQ(wrap + 5, CarryTicks(&carry, 5));
    EXPECT_EQ(wrap + 0xFFFFFFFFu, CarryTicks(&carry, 0xFFFFFFFFu));
    EXPECT_EQ(2 * wrap, CarryTicks(&carry, 0));
}

} // namespace
