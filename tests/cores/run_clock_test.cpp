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

} // namespace
