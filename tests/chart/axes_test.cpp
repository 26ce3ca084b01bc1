#include "chart/axes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ChartAxes, NiceValueSteps) {
    const struct {
        double smallest, largest;
        int maxIntervals;
        double low, high, step;
        int intervals, decimals;
    } cases[] = {
        {7.2, 7.8, 8, 7.1, 7.9, 0.1, 8, 1},            // AMD: a tenth of the size at least
        {7.38, 7.42, 8, 7.0, 7.8, 0.1, 8, 1},          // flat: still visible, not magnified
        {3070, 3570, 6, 3000, 3600, 100, 6, 0},        // Intel: 5 % margin
        {2096, 2096, 5, 1900, 2300, 100, 4, 0},        // a flat clock rate
        {0.012, 0.0135, 4, 0.011, 0.014, 0.001, 3, 3}, // decimals from the step
        {-7.42, -7.38, 8, -7.8, -7.0, 0.1, 8, 1},      // negative: not held at zero
        {0, 10, 6, 0, 12, 2, 6, 0},                    // the margin not below zero
        {-5, 5, 5, -10, 10, 5, 4, 0},                  //
        {0, 0, 4, 0, 1, 0.5, 2, 1},                    // zeros: not below zero
        {1, 0, 4, 0, 1, 0.5, 2, 1},                    // no data
        {-1 / 0.0, 0, 4, 0, 1, 0.5, 2, 1},             // no finite span: as no data
        {0, 1 / 0.0, 4, 0, 1, 0.5, 2, 1},              //
    };
    for (const auto& c : cases) {
        ValueAxis axis = ChooseValueAxis(c.smallest, c.largest, c.maxIntervals);
        SCOPED_TRACE(c.smallest);
        EXPECT_NEAR(c.low, axis.low, 1e-9);
        EXPECT_NEAR(c.high, axis.high, 1e-9);
        EXPECT_NEAR(c.step, axis.step, 1e-12);
        EXPECT_EQ(c.intervals, axis.intervals);
        EXPECT_EQ(c.decimals, axis.decimals);
    }
    auto value = [](double v, int decimals) {
        char text[32];
        FormatAxisValue(v, decimals, text);
        return std::string(text);
    };
    EXPECT_EQ((std::vector<std::string>{"7.10", "0.3", "3000", "-0.05", "3", "0.123457"}),
              (std::vector<std::string>{value(7.1, 2), value(0.1 + 0.2, 1), value(2999.7, 0),
                                        value(-0.05, 2), value(2.7, -1), value(0.12345678, 9)}))
        << "0.123457: 6 decimals at most";
}

TEST(ChartAxes, TimeStepsAndLabels) {
    const uint32_t cases[][3] = {
        // run seconds, max intervals, step
        {10, 5, 60},                 // shown as a minute
        {600, 10, 60},               // 10 minutes
        {601, 9, 120},               // 10 whole minutes are too many
        {45 * 60, 3, 900},           // 15 minutes
        {72 * 3600, 20, 6 * 3600},   // 72 hours
        {72 * 3600, 3, 24 * 3600},   //
        {30 * 86400, 10, 3 * 86400}, // whole days beyond
        {3600, 0, 3600},             // a plot too narrow for a label: one interval
    };
    for (const auto& c : cases) {
        TimeAxis axis = ChooseTimeAxis(c[0], int(c[1]));
        EXPECT_EQ(c[2], axis.step) << c[0] << " in " << c[1];
        EXPECT_EQ(c[0] < 60 ? 60 : c[0], axis.span);
    }
    std::vector<std::string> labels;
    for (uint32_t seconds : {0u, 3599u, 3600u, 72 * 3600u + 5 * 60 + 59}) {
        char text[16];
        FormatAxisTime(seconds, text);
        labels.push_back(text);
    }
    EXPECT_EQ((std::vector<std::string>{"0:00", "0:59", "1:00", "72:05"}), labels);
}

} // namespace
