#include "app/burn_worker.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int clockCalls = 0;

long double FakeClockHz() {
    ++clockCalls;
    return 2405.27e6L;
}

std::string Line(int seconds) {
    // 123,456,789 ticks over 10,000,000 iterations, from a counter far from zero.
    return StatusLine(seconds, 5e12, 5e12 + 123456789.0, FakeClockHz);
}

const int kHour = 3600;

TEST(StatusLine, ChoosesByPhaseAndHours) {
    struct Case {
        int seconds;
        const char* line;
    } cases[] = {
        {0, "Vesko 23 instructions in 12.35 CPU CLOCKS"},
        {1, "Vesko 23 instructions in 12.35 CPU CLOCKS"},
        {2, "Vesko 00:00:02 at 2405.3 MHz"},
        {3, "Vesko 00:00:03 at 2405.3 MHz"},
        {3661, "Vesko 23 instructions in 12.35 CPU CLOCKS"},
        {3662, "Vesko 01:01:02 at 2405.3 MHz"},
        {72 * kHour - 4, "Vesko 23 instructions in 12.35 CPU CLOCKS"},
        {72 * kHour - 1, "Vesko 71:59:59 at 2405.3 MHz"},
        {72 * kHour, "Dude, its been running for 3 days, I think its stable!"},
        {72 * kHour + 2, "Vesko 72:00:02 at 2405.3 MHz"},
        {100 * kHour, "Dude, its been running for 4 days, I think its stable!"},
        {100 * kHour + 62, "Vesko 100:01:02 at 2405.3 MHz"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line, Line(c.seconds)) << "at " << c.seconds << " s";
}

// The kernel's seed: its last row depends on every step.
TEST(SeedMatrix, TranslatedScaledTurnedAndMovedBack) {
    Matrix44 seed;
    BuildSeedMatrix(seed);
    EXPECT_EQ(-259.10788f, seed.m[12]);
    EXPECT_EQ(83.1684723f, seed.m[13]);
    EXPECT_EQ(-36.5823898f, seed.m[14]);
}

TEST(StatusLine, ClockIsMeasuredOnlyForTheClockRateLine) {
    clockCalls = 0;
    for (int seconds : {0, 1, 4, 72 * kHour})
        Line(seconds);
    EXPECT_EQ(0, clockCalls);
    Line(2);
    Line(72 * kHour + 3);
    EXPECT_EQ(2, clockCalls);
}

} // namespace
