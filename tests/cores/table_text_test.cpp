#include "cores/table_text.h"

#include "judge_run.h"

#include <gtest/gtest.h>

namespace {

std::string Cells(const TableRowText& row) {
    std::string all;
    for (int column = 0; column < kTableColumns; ++column)
        all += std::string(column ? "|" : "") + row.cells[column];
    return all;
}

TEST(TableText, HeadingsAndRowsShowWhatIsKnownInTheirColumns) {
    TableRowText row;
    TableHeadings(false, &row);
    EXPECT_EQ("CPU|core|state|bursts|ticks|MHz|busy|warn|latest status line", Cells(row));
    TableHeadings(true, &row);
    EXPECT_STREQ("ms", row.cells[4]) << "the check workload's figure";
    JudgeRun run(0x30);
    ProcessorWatch* watch = FindWatch(&run.judge, 5);
    watch->core = -1; // where the topology is unknown
    WatchRowText(*watch, &row);
    EXPECT_EQ("5||waiting|0|||||", Cells(row)) << "nothing known yet";
    watch->mhzTenths = watch->busyHundredths = 0;
    WatchRowText(*watch, &row);
    EXPECT_EQ("5||waiting|0||0.0|0.00||", Cells(row)) << "zero is a value";
    watch = run.Start(4, 0, 3);
    watch->core = 2, watch->mhzTenths = 24454, watch->busyHundredths = 9950;
    watch->warnings.slower.count = 1, watch->warnings.notLoaded.count = 2;
    WatchRowText(*watch, &row);
    EXPECT_EQ("4|2|running|3|7.00|2445.4|99.50|3|" + std::string(watch->line), Cells(row));
    watch->failure.failed = true;
    WatchRowText(*watch, &row);
    EXPECT_STREQ("running*", row.cells[2]) << "running again, a failure on record";
}

TEST(TableText, TheLogsPlaceWithWhyItStopped) {
    char text[64];
    LogPlaceText("C:\\a.csv", "", text, sizeof text);
    EXPECT_STREQ("Log: C:\\a.csv", text);
    LogPlaceText("C:\\a.csv", "disk full", text, sizeof text);
    EXPECT_STREQ("Log: C:\\a.csv (disk full)", text);
}

} // namespace
