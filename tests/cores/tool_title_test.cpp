#include "cores/tool_title.h"

#include "app/burn_worker.h"

#include <gtest/gtest.h>

namespace {

// The titles the tool itself formats read back to their figures.
TEST(ToolTitle, ReadsWhatTheToolWrites) {
    ClockRateSource clockHz = [] { return 3412.46e6L; };
    // 7,520,000 ticks over 10,000,000 iterations: 0.75; 34,567,891,234: 3456.79.
    ToolTitle cycles = ParseToolTitle(StatusLine(1, 100.0, 100.0 + 7520000.0, clockHz));
    EXPECT_EQ(std::make_pair(cyclesTitle, 75), std::make_pair(cycles.kind, cycles.ticksHundredths));
    EXPECT_EQ(345679, ParseToolTitle(StatusLine(5, 0.0, 34567891234.0, clockHz)).ticksHundredths);
    ToolTitle clock = ParseToolTitle(StatusLine(101 * 3600 + 7 * 60 + 2, 0, 0, clockHz));
    EXPECT_EQ(std::make_tuple(clockRateTitle, 101 * 3600 + 7 * 60 + 2, 34125),
              std::make_tuple(clock.kind, clock.runSeconds, clock.mhzTenths));
    ToolTitle days = ParseToolTitle(StatusLine(100 * 3600 + 60, 0, 0, clockHz));
    EXPECT_EQ(std::make_pair(daysTitle, 4), std::make_pair(days.kind, days.days));
    EXPECT_EQ(bareTitle, ParseToolTitle("Vesko").kind);
}

TEST(ToolTitle, AnythingElseIsUnknown) {
    for (const char* title :
         {"", "Vesko ", "vesko", "Vesko 23 instructions in 7.5 CPU CLOCK",
          "Vesko 23 instructions in -1.00 CPU CLOCKS", "Vesko 23 instructions in 1.#J CPU CLOCKS",
          "Vesko 23 instructions in 99999999999.00 CPU CLOCKS", "Vesko 01:02 at 5.0 MHz",
          "Vesko 01:02:03 at 5.0 MHz!", "Vesko 999999:00:00 at 5.0 MHz",
          "Vesko 01:02:03 at 12345678.9 MHz",
          "Dude, its been running for x days, I think its stable!",
          "Dude, its been running for 10000000 days, I think its stable!"})
        EXPECT_EQ(unknownTitle, ParseToolTitle(title).kind) << title;
    EXPECT_EQ(unknownTitle, ParseToolTitle(nullptr).kind);
    double v[2];
    EXPECT_EQ(2, MatchFormat("%d%% of %4.1f", "  7% of  2.5", v, 2));
    EXPECT_EQ(std::make_pair(7.0, 2.5), std::make_pair(v[0], v[1]));
    EXPECT_EQ(-1, MatchFormat("%s", "x", v, 2)) << "only numbers";
    EXPECT_EQ(-1, MatchFormat("7%", "7%", v, 2)) << "a lone % converts nothing";
    EXPECT_EQ(2, MatchFormat("%+d%.0f", "+8 9", v, 1)) << "no room for the second";
    EXPECT_EQ(std::make_pair(8.0, 2.5), std::make_pair(v[0], v[1])) << "2.5 left as it was";
}

} // namespace
