#include "chart/series.h"

#include <gtest/gtest.h>

namespace {

ChartSeries theSeries; // 32 KiB: off the stack

TEST(ChartSeries, SeventyTwoHoursStayWithinTheBoundAndSpanTheRun) {
    theSeries = {};
    const uint32_t every = 10, rows = 72 * 3600 / every; // 25,920
    for (uint32_t i = 1; i <= rows; ++i) {
        // Ticks rise from 7 to 8, missing in the last 32 rows; odd rows lack a clock rate.
        float ticks = i > rows - 32 ? kChartMissing : 7.0f + float(i) / rows;
        AddChartFigures(theSeries, i * every, ticks, i % 2 ? kChartMissing : 2096.0f);
        ASSERT_LE(theSeries.count, kChartCapacity);
    }
    // 25,920 rows in points of 16, evenly spread: first and last rows in the first and last points.
    EXPECT_EQ(16u, theSeries.samplesPerPoint);
    ASSERT_EQ(int(rows / 16), theSeries.count);
    EXPECT_EQ(85u, theSeries.points[0].seconds); // mean of 10 ... 160
    EXPECT_EQ(rows * every - 75, theSeries.points[theSeries.count - 1].seconds);
    for (int i = 0; i < theSeries.count; ++i) {
        const ChartPoint& p = theSeries.points[i];
        ASSERT_EQ(std::make_pair(16u, 85u + 160u * i), std::make_pair(p.samples, p.seconds)) << i;
        ASSERT_EQ(2096.0f, p.mhz) << i; // missing halves never pull toward zero
        if (i >= theSeries.count - 2)
            EXPECT_FALSE(ChartValuePresent(p.ticks)) << i; // missing stays missing
        else
            ASSERT_NEAR(7.0 + (16.0 * i + 8.5) / rows, p.ticks, 1e-5) << i;
    }
}

TEST(ChartSeries, OpenPointAveragesByWeight) {
    theSeries = {};
    for (int i = 0; i < kChartCapacity; ++i)
        AddChartFigures(theSeries, i, 4.0f, kChartMissing);
    AddChartFigures(theSeries, 5000, 1.0f / 0.0f, kChartMissing); // infinite: missing
    ASSERT_EQ(kChartCapacity / 2 + 1, theSeries.count);
    AddChartFigures(theSeries, 5002, 6.0f, -0.0f); // -0 is a value: zero
    const ChartPoint& last = theSeries.points[theSeries.count - 1];
    EXPECT_EQ(std::make_tuple(2u, 5001u, 6.0f, 0.0f),
              std::make_tuple(last.samples, last.seconds, last.ticks, last.mhz));
    EXPECT_EQ(4.0f, theSeries.points[0].ticks);
    EXPECT_EQ(1u, theSeries.points[0].seconds); // mean of 0 and 1, rounded
}

} // namespace
