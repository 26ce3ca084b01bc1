#include "cores/log_row.h"
#include "cores/tiling.h"

#include <gtest/gtest.h>

namespace {

TEST(LogRow, CsvRowsWithEmptyColumnsAndQuotedDetails) {
    SYSTEMTIME utc = {2026, 12, 2, 8, 3, 4, 5, 678};
    char line[200];
    LogRow row = MakeLogRow(3723999, 5, figuresEvent, "samples %d", 12);
    row.ticksHundredths = 705, row.mhzTenths = 20963, row.core = 2;
    ASSERT_EQ(63, FormatLogRow(row, utc, line, sizeof line));
    EXPECT_STREQ("2026-12-08T03:04:05Z,3723,5,2,figures,7.05,2096.3,samples 12,\r\n", line);
    row.busyHundredths = 7;
    FormatLogRow(row, utc, line, sizeof line);
    EXPECT_STREQ("2026-12-08T03:04:05Z,3723,5,2,figures,7.05,2096.3,samples 12,0.07\r\n", line);
    row.busyHundredths = 100;
    EXPECT_EQ(0, FormatLogRow(row, utc, line, 67)) << "the busy share does not fit";
    EXPECT_EQ(67, FormatLogRow(row, utc, line, 70));
    row = MakeLogRow(0, -1, verdictEvent, "%s", "FAIL: 1 \"hung\", 2\r\nok");
    FormatLogRow(row, utc, line, sizeof line);
    EXPECT_STREQ("2026-12-08T03:04:05Z,0,,,verdict,,,\"FAIL: 1 \"\"hung\"\", 2\r\nok\",\r\n", line);
    for (int size : {20, 38, 48, 61, 62}) // not the head; not the quote; not a doubled quote
        EXPECT_EQ(0, FormatLogRow(row, utc, line, size)) << "a row that does not fit is not cut";
    EXPECT_STREQ("utc,run_seconds,processor,core,event,ticks_per_iteration,mhz,detail,busy\r\n",
                 kLogHeader);
    FormatRunTime(362439999, line, 24);
    EXPECT_STREQ("100:40:39", line);
}

TEST(Tiling, ToolsFillTheAreaNoLargerThanTheyAre) {
    RECT area = {500, 10, 1300, 610}; // 800 x 600
    SIZE natural = {272, 310};
    RECT first = TileRect(area, 2, 0, natural), second = TileRect(area, 2, 1, natural);
    EXPECT_EQ((std::vector<LONG>{500, 10, 772, 320}),
              (std::vector<LONG>{first.left, first.top, first.right, first.bottom}));
    EXPECT_EQ(900, second.left) << "two columns of 400";
    EXPECT_EQ(10, second.top);
    RECT last = TileRect(area, 12, 11, natural); // 4 x 3 cells of 200 x 200, scaled to fit
    EXPECT_EQ(std::make_pair(1100L, 410L), std::make_pair(last.left, last.top));
    EXPECT_LE(std::max(last.bottom - last.top, last.right - last.left), 200);
    RECT work = {0, 0, 1280, 1000}, left = SplitOffLeft(&work, 512);
    EXPECT_EQ(std::make_pair(512L, 512L), std::make_pair(left.right, work.left));
    EXPECT_EQ(410, TileRect(area, 3, 2, SIZE{0, 0}).top) << "no size yet: one column of three";
}

} // namespace
