#include "cores/log_row.h"
#include "cores/tiling.h"

#include <gtest/gtest.h>

#include <ctype.h>
#include <string.h>
#include <string>
#include <tuple>

namespace {

TEST(LogRow, CsvRowsWithEmptyColumnsAndQuotedDetails) {
    SYSTEMTIME utc = {2026, 12, 2, 8, 3, 4, 5, 678};
    char line[200];
    LogRow row = MakeLogRow(3723999, 5, figuresEvent, "samples %d", 12);
    row.ticksHundredths = 705, row.mhzTenths = 20963, row.core = 2;
    ASSERT_EQ(65, FormatLogRow(row, utc, line, sizeof line));
    EXPECT_STREQ("2026-12-08T03:04:05Z,3723,5,2,figures,7.05,2096.3,samples 12,,,\r\n", line);
    row.busyHundredths = 7, row.bursts = 40, row.underToolMs = 3601999;
    FormatLogRow(row, utc, line, sizeof line);
    EXPECT_STREQ("2026-12-08T03:04:05Z,3723,5,2,figures,7.05,2096.3,samples 12,0.07,40,3601\r\n",
                 line);
    row.busyHundredths = 100;
    EXPECT_EQ(0, FormatLogRow(row, utc, line, 75)) << "the evidence does not fit";
    EXPECT_EQ(75, FormatLogRow(row, utc, line, 78));
    row = MakeLogRow(0, -1, verdictEvent, "%s", "FAIL: 1 \"hung\", 2\r\nok");
    FormatLogRow(row, utc, line, sizeof line);
    EXPECT_STREQ("2026-12-08T03:04:05Z,0,,,verdict,,,\"FAIL: 1 \"\"hung\"\", 2\r\nok\",,,\r\n",
                 line);
    for (int size : {20, 38, 48, 61, 62}) // not the head; not the quote; not a doubled quote
        EXPECT_EQ(0, FormatLogRow(row, utc, line, size)) << "a row that does not fit is not cut";
    EXPECT_STREQ("utc,run_seconds,processor,core,event,ticks_per_iteration,mhz,detail,busy,bursts,"
                 "under_tool_seconds\r\n",
                 kLogHeader);
    FormatRunTime(362439999, line, 24);
    EXPECT_STREQ("100:40:39", line);
}

// A later start reads its rows back as they were written. A row cut in the middle is none, but
// where only digits of its last number went: so a line counts as a row only with its line break.
TEST(LogRow, RowsReadBackAndRowsCutInTheMiddleAreNone) {
    SYSTEMTIME utc = {2026, 12, 2, 8, 3, 4, 5, 678};
    LogRow rows[] = {MakeLogRow(3723999, 5, figuresEvent, "samples %d of 3", 2),
                     MakeLogRow(0, -1, resumedEvent, "%s", "a, \"b\""),
                     MakeLogRow(60000, 31, hungEvent, "%s", "")};
    rows[0].ticksHundredths = 12345, rows[0].mhzTenths = 0, rows[0].core = 2;
    rows[0].busyHundredths = 100, rows[0].bursts = 0, rows[0].underToolMs = 3601000;
    for (const LogRow& row : rows) {
        char line[200];
        int length = FormatLogRow(row, utc, line, sizeof line) - 2;
        LogRow back;
        for (int cut = 1; cut < length; ++cut) { // every prefix that is not the whole row
            std::string part(line, size_t(cut));
            bool digitsGone = strspn(line + cut, "0123456789") == size_t(length - cut);
            EXPECT_EQ(digitsGone && isdigit(line[cut - 1]), ParseLogRow(part.c_str(), &back))
                << part;
        }
        line[length] = '\0';
        ASSERT_TRUE(ParseLogRow(line, &back)) << line;
        EXPECT_EQ(std::make_tuple(row.runMs / 1000 * 1000, row.processor, row.core, row.event,
                                  row.ticksHundredths, row.mhzTenths, std::string(row.detail),
                                  row.busyHundredths, row.bursts,
                                  row.underToolMs < 0 ? -1 : row.underToolMs / 1000 * 1000),
                  std::make_tuple(back.runMs, back.processor, back.core, back.event,
                                  back.ticksHundredths, back.mhzTenths, std::string(back.detail),
                                  back.busyHundredths, back.bursts, back.underToolMs));
    }
    for (const char* bad :
         {"2026-12-08T03:04:05Z,1,64,,start,,,x,,,", "2026-12-08T03:04:05Z,1,1,,start,7.1,,x,,,",
          "2026-12-08T03:04:05Z,1,1,,begin,,,x,,,", "2026-12-08T03:04:05Z,1,1,,start,,,\"x,,,",
          "2026-12-08T03:04:05Z,1,1,,start,,,x,1.01,,", "2026-12-08T03:04:05Z,1,1,,start,,,x,,3,",
          "2026-12-08T03:04:05Z,1,1,,start,,,x,,,,", "2026-12-08T03:04:05Z,,1,,start,,,x,,,",
          "2026-12-08T03:04:05Z,1,1,,start,21474836.47,,x,,,"})
        EXPECT_FALSE(ParseLogRow(bad, &rows[0])) << bad;
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
