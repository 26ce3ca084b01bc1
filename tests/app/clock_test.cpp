#include "app/clock.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

double PerformanceSeconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

// The clock's first calls, made before any test runs: MeasureClockHz before
// anything has called SecondsSinceStart.
struct FirstCalls : testing::Environment {
    void SetUp() override {
        double before = PerformanceSeconds();
        firstRate = MeasureClockHz();
        spent = PerformanceSeconds() - before;
        secondsAfter = SecondsSinceStart();
        Sleep(300);
        laterRate = MeasureClockHz();
    }
    long double firstRate = 0, laterRate = 0, secondsAfter = 0;
    double spent = 0;
};
FirstCalls* const theFirstCalls =
    static_cast<FirstCalls*>(testing::AddGlobalTestEnvironment(new FirstCalls));

TEST(Clock, FirstCallsTakeTheirBasesAndSpanAtLeastAFifthOfASecond) {
    const FirstCalls& first = *theFirstCalls;
    EXPECT_GE(first.spent, 0.2);
    // MeasureClockHz took the base, so its start is (close to) zero.
    EXPECT_GE(first.secondsAfter, 0.2L);
    EXPECT_LT(first.secondsAfter, 0.2L + first.spent);
    EXPECT_GT(first.firstRate, 1e8L);
    // The later rate spans everything since the first call: the same clock.
    EXPECT_GT(first.laterRate / first.firstRate, 0.8L);
    EXPECT_LT(first.laterRate / first.firstRate, 1.25L);
}

TEST(Clock, SecondsAdvanceWithTheWallClock) {
    long double start = SecondsSinceStart();
    Sleep(500);
    long double elapsed = SecondsSinceStart() - start;
    EXPECT_GE(elapsed, 0.49L);
    EXPECT_LT(elapsed, 2.0L);
}

TEST(Clock, TimeStampCounterGrows) {
    long double a = ReadTimeStampCounter(), b = ReadTimeStampCounter();
    EXPECT_GT(a, 0.0L);
    EXPECT_GE(b, a);
}

TEST(Clock, NoCounterOrNoSpanDividesByNothing) {
    EXPECT_EQ(0.0L, CounterSeconds(123456789, 0));
    EXPECT_EQ(0.0L, CounterSeconds(123456789, -5));
    EXPECT_EQ(2.5L, CounterSeconds(25, 10));
    // Exact conversion from 64 bits: 2^63 - 1 keeps all its digits.
    EXPECT_EQ(9223372036854775807.0L, CounterSeconds(9223372036854775807LL, 1));

    EXPECT_EQ(0.0L, TicksPerSecond(1e9L, 0.0L));
    EXPECT_EQ(0.0L, TicksPerSecond(1e9L, -1.0L));
    EXPECT_EQ(4e9L, TicksPerSecond(1e9L, 0.25L));
}

} // namespace
