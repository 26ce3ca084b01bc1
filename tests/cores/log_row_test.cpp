#include "cores/cores_run.h"
#include "cores/log_row.h"
#include "cores/tiling.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::vector<std::string> lines;
    std::string all = text.str();
    for (size_t at = 0, end; (end = all.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(all.substr(at, end - at));
    return lines;
}

TEST(LogRow, CsvRowsWithEmptyColumnsAndQuotedDetails) {
    SYSTEMTIME utc = {2026, 12, 2, 8, 3, 4, 5, 678};
    char line[200];
    LogRow row = MakeLogRow(3723999, 5, figuresEvent, "samples %d", 12);
    row.ticksHundredths = 705, row.mhzTenths = 20963;
    ASSERT_EQ(60, FormatLogRow(row, utc, line, sizeof line));
    EXPECT_STREQ("2026-12-08T03:04:05Z,3723,5,figures,7.05,2096.3,samples 12\r\n", line);
    row = MakeLogRow(0, -1, verdictEvent, "%s", "FAIL: 1 \"hung\", 2\r\nok");
    FormatLogRow(row, utc, line, sizeof line);
    EXPECT_STREQ("2026-12-08T03:04:05Z,0,,verdict,,,\"FAIL: 1 \"\"hung\"\", 2\r\nok\"\r\n", line);
    EXPECT_EQ(0, FormatLogRow(row, utc, line, 60)) << "a row that does not fit is not cut";
    EXPECT_STREQ("utc,run_seconds,processor,event,ticks_per_iteration,mhz,detail\r\n", kLogHeader);
    char text[24];
    FormatRunTime(362439999, text, sizeof text);
    EXPECT_STREQ("100:40:39", text);
}

// The run's own log and row writer, with no tool started: an existing log is
// appended to without a second header, and a write that fails stops the log,
// not the run, and the verdict says so even when it fails during the end rows.
TEST(RunLog, AppendedWithoutASecondHeaderAndAFailedWriteIsNeverSilent) {
    char folder[MAX_PATH], tool[MAX_PATH], message[2048];
    GetTempPathA(sizeof folder, folder);
    GetModuleFileNameA(nullptr, tool, sizeof tool); // a file, as a tool must be
    std::string log =
        folder + std::string("vesko-cores-log-") + std::to_string(GetCurrentProcessId()) + ".csv";
    std::string echo = log + ".out";
    std::ofstream(log, std::ios::binary) << kLogHeader << "old row\r\n";
    char* arguments[] = {(char*)"--processors", (char*)"0", (char*)"--tool", tool,
                         (char*)"--log",        &log[0]};
    ASSERT_EQ(0, PrepareRun(&theCoresRun, 6, arguments, message, sizeof message)) << message;
    NoteStarted(&theCoresRun.judge, &theCoresRun.judge.watches[0], 0, tool);
    std::vector<std::string> rows = Lines(log);
    ASSERT_EQ(3u, rows.size()) << "one header";
    EXPECT_NE(std::string::npos, rows[2].find(",0,start,"));
    // From now on every write fails, as on a full disk; rows still go to the output.
    CloseHandle(theCoresRun.log.file);
    theCoresRun.log.file =
        CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    theCoresRun.log.echo =
        CreateFileA(echo.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_EQ(0, EndRun(&theCoresRun, SIZE{64, 64})) << "PASS: the run went on";
    CloseHandle(theCoresRun.log.echo);
    EXPECT_EQ(rows, Lines(log));
    std::vector<std::string> printed = Lines(echo);
    ASSERT_GE(printed.size(), 3u);
    EXPECT_NE(std::string::npos,
              printed[printed.size() - 2].find(",verdict,,,\"PASS: 1 processor ran for "))
        << printed[printed.size() - 2];
    EXPECT_NE(std::string::npos,
              printed[printed.size() - 2].find("; the log stopped: a write failed with error "));
    DeleteFileA(log.c_str());
    DeleteFileA(echo.c_str());
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
    EXPECT_EQ(1100, last.left);
    EXPECT_EQ(410, last.top);
    EXPECT_LE(last.bottom - last.top, 200);
    EXPECT_LE(last.right - last.left, 200);
    RECT work = {0, 0, 1280, 1000};
    RECT left = SplitOffLeft(&work, 512);
    EXPECT_EQ(512, left.right);
    EXPECT_EQ(512, work.left);
}

} // namespace
