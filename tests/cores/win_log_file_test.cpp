#include "cores/win_run.h"
#include "cores/win_log_file.h"
#include "chart/drawing.h"
#include "tests/chart/chart_pixel.h"
#include "gfx/bitmap_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

TEST(RunLog, OneHeaderRowsAppendedAndAFailedWriteStopsTheLogAloud) {
    char folder[MAX_PATH], error[200];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "vesko-cores-run-log-test.csv";
    DeleteFileA(path.c_str());
    RunLog log = {};
    ASSERT_TRUE(OpenRunLog(&log, path.c_str(), nullptr, error, sizeof error)) << error;
    WriteRunLog(&log, "a\r\n", 3);
    CloseRunLog(&log);
    // A read-only handle: its failures cost nothing as the echo; as the log (a full disk) stop it.
    HANDLE deaf = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(OpenRunLog(&log, path.c_str(), deaf, error, sizeof error));
    WriteRunLog(&log, "b\r\n", 3);
    EXPECT_STREQ("", log.failure);
    CloseHandle(log.file);
    log.file = deaf, log.echo = nullptr;
    WriteRunLog(&log, "c\r\n", 3);
    EXPECT_EQ(nullptr, log.file) << "the log stops";
    EXPECT_NE(nullptr, strstr(log.failure, "the log stopped: a write failed with error"));
    WriteRunLog(&log, "d\r\n", 3);
    CloseRunLog(&log);
    // A row cut in the middle (the power went during its write) stays on a line of its own.
    std::ofstream(path, std::ios::binary | std::ios::app) << "2026-12-09T01:02:03Z,4,0,0,fig";
    ASSERT_TRUE(OpenRunLog(&log, path.c_str(), nullptr, error, sizeof error));
    WriteRunLog(&log, "e\r\n", 3);
    CloseRunLog(&log);
    ASSERT_TRUE(OpenRunLog(&log, path.c_str(), nullptr, error, sizeof error));
    CloseRunLog(&log);
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(kLogHeader) + "a\r\nb\r\n2026-12-09T01:02:03Z,4,0,0,fig\r\ne\r\n",
              std::string(std::istreambuf_iterator<char>(file), {}));
    file.close();
    // A log of an earlier version's columns is not appended to.
    std::ofstream(path, std::ios::binary)
        << "utc,run_seconds,processor,event,ticks_per_iteration,mhz,detail\r\n";
    EXPECT_FALSE(OpenRunLog(&log, path.c_str(), nullptr, error, sizeof error));
    EXPECT_NE(nullptr, strstr(error, "has other columns than this version writes")) << error;
    EXPECT_EQ(nullptr, log.file);
    DeleteFileA(path.c_str());
    DefaultLogName(SYSTEMTIME{2026, 1, 4, 2, 3, 4, 5, 6}, folder, sizeof folder);
    EXPECT_STREQ("vesko-cores-20260102-030405.csv", folder);
    // Even beside a drive's root its full path does not fit in MAX_PATH: kept as given.
    std::string longName(MAX_PATH - 2, 'x');
    OpenRunLog(&log, longName.c_str(), nullptr, error, sizeof error);
    EXPECT_EQ(longName, log.path);
    CloseRunLog(&log);
    DeleteFileA(longName.c_str());
}

// Figures rows feed their processor's series; other rows and processors do not.
// Each tool's wrong results beside the log; only the lines its own process wrote are read.
TEST(RunLog, TheCheckWorkloadsErrorsFileIsReadPastWhatEarlierProcessesWrote) {
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string log = std::string(folder) + "vesko-errors-test.CSV";
    ASSERT_TRUE(CheckErrorsPath(log.c_str(), 2, path, sizeof path));
    EXPECT_EQ(std::string(folder) + "vesko-errors-test-errors-3.csv", path);
    EXPECT_FALSE(CheckErrorsPath(log.c_str(), 2, path, int(log.size()) + 8)) << "no room";
    ASSERT_TRUE(CheckErrorsPath(log.c_str(), 0, path, sizeof path));
    std::ofstream(path, std::ios::binary) << "7,memory,0x0000000000000001,0x0000000000000003\r\n";
    uint64_t from = FileLength(path);
    CheckResult wrong = {};
    EXPECT_EQ(48u, from);
    EXPECT_FALSE(ReadLatestCheckError(path, from, &wrong)) << "an earlier process's line";
    std::ofstream(path, std::ios::binary | std::ios::app)
        << "9,integer,0x0000000000000004,0x0000000000000005\r\n12,integer,0x00";
    ASSERT_TRUE(ReadLatestCheckError(path, from, &wrong));
    EXPECT_EQ(9u, wrong.burst);
    EXPECT_EQ(5u, wrong.got);
    DeleteFileA(path);
    EXPECT_FALSE(ReadLatestCheckError(path, 0, &wrong));
    EXPECT_EQ(0u, FileLength(path));
}

// --resume reads the log back line by line, each line whole from its first character.
TEST(RunLog, ALogIsReadBackLineByLine) {
    char folder[MAX_PATH], error[200];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "vesko-read-back-test.csv";
    std::ofstream(path, std::ios::binary)
        << kLogHeader << "2026-12-09T01:02:03Z,0,,,run,,,--cycle 10,,,\r\n"
        << "2026-12-09T01:02:03Z,0,0,0,start,,,vesko.exe,,0,0\r\n"
        << "2026-12-09T01:02:04Z,1,0,0,figures,7.00,,samples 1 of 1 burst,,1,1\r\n";
    std::unique_ptr<ResumeLog> back(new ResumeLog);
    ASSERT_TRUE(ReadRunLogBack(path.c_str(), back.get(), error, sizeof error)) << error;
    EXPECT_EQ(cutShortLog, back->finding);
    EXPECT_STREQ("--cycle 10", back->options);
    EXPECT_EQ(1, back->processors[0].bursts);
    DeleteFileA(path.c_str());
    EXPECT_FALSE(ReadRunLogBack(path.c_str(), back.get(), error, sizeof error));
    EXPECT_NE(nullptr, strstr(error, "cannot be read")) << error;
}

// Printed as written: the header, then each row, even after the log stopped.
TEST(RunLog, TheEchoMirrorsTheHeaderAndEveryRow) {
    char folder[MAX_PATH], error[200];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "vesko-cores-echo-test.csv", out = path + ".out";
    HANDLE echo = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, CREATE_ALWAYS, 0, nullptr);
    RunLog log = {};
    ASSERT_TRUE(OpenRunLog(&log, path.c_str(), echo, error, sizeof error)) << error;
    WriteRunLog(&log, "a\r\n", 3);
    CloseRunLog(&log);
    WriteRunLog(&log, "b\r\n", 3);
    CloseHandle(echo);
    std::ifstream file(out, std::ios::binary);
    EXPECT_EQ(std::string(kLogHeader) + "a\r\nb\r\n",
              std::string(std::istreambuf_iterator<char>(file), {}));
    file.close();
    DeleteFileA(path.c_str());
    DeleteFileA(out.c_str());
}

TEST(RunChart, FiguresRowsFeedTheirProcessorsSeries) {
    static RunChart chart; // 512 KiB: off the stack
    StartRunChart(&chart, 0x5);
    AddChartFigures(chart.series[1], 1, 1.0f, 1.0f); // left from a run before
    StartRunChart(&chart, 0x5);
    ASSERT_EQ(std::make_pair(2, 2), std::make_pair(chart.count, chart.processors[1]));
    uint32_t version = chart.version;
    LogRow row = MakeLogRow(61999, 2, figuresEvent, "%s", "");
    row.ticksHundredths = 705;
    AddFiguresToChart(&chart, row);
    row.processor = 1; // not charted
    AddFiguresToChart(&chart, row);
    AddFiguresToChart(&chart, MakeLogRow(70000, 0, startEvent, "%s", ""));
    EXPECT_EQ(version + 1, chart.version) << "one change";
    ASSERT_EQ(std::make_pair(0, 1), std::make_pair(chart.series[0].count, chart.series[1].count));
    row.processor = 0, row.ticksHundredths = row.mhzTenths = 0; // the first processor's, 0.00
    AddFiguresToChart(&chart, row);
    ASSERT_EQ(1, chart.series[0].count);
    EXPECT_FLOAT_EQ(0.0f, chart.series[0].points[0].ticks);
    EXPECT_FLOAT_EQ(0.0f, chart.series[0].points[0].mhz);
    EXPECT_EQ(61u, chart.series[1].points[0].seconds);
    EXPECT_FLOAT_EQ(7.05f, chart.series[1].points[0].ticks);
    EXPECT_FALSE(ChartValuePresent(chart.series[1].points[0].mhz));
    EXPECT_EQ(nullptr, DrawRunChart(chart, 0, 64, 0));
    EXPECT_TRUE(DeleteObject(DrawRunChart(chart, 0, 1, 1))) << "a bitmap, drawn";
}

// A line from 0 to 90 s reaches the column of 90 s on an axis that spans the run's 90 s;
// saved, it leaves no bitmap behind.
TEST(RunChart, TheTimeAxisSpansTheRunInSeconds) {
    static RunChart chart;
    StartRunChart(&chart, 0x1);
    for (uint64_t ms : {0, 90000}) {
        LogRow row = MakeLogRow(ms, 0, figuresEvent, "%s", "");
        row.ticksHundredths = 500;
        AddFiguresToChart(&chart, row);
    }
    const int width = 300, height = 200;
    HBITMAP dib = DrawRunChart(chart, 90000, width, height);
    ASSERT_TRUE(dib);
    ChartInput input = {chart.series, chart.processors, 1, 90, nullptr};
    ChartLayout layout = LayOutChart(width, height, input, ChartFontCell());
    const RECT& plot = layout.ticks.plot;
    int end = plot.left + int(90 * (plot.right - plot.left - 1.0) / layout.time.span + 0.5);
    BITMAP info = GetBitmapInfo(dib);
    const uint32_t* pixels = (const uint32_t*)info.bmBits;
    uint32_t colour = ChartPixel(0);
    int rightmost = -1;
    for (int y = plot.top; y < plot.bottom; ++y)
        for (int x = plot.left; x < plot.right; ++x)
            if ((pixels[y * width + x] & 0xFFFFFF) == colour)
                rightmost = std::max(rightmost, x);
    EXPECT_EQ(end, rightmost);
    DeleteObject(dib);
    char folder[MAX_PATH], error[200];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "vesko-cores-chart-test.bmp";
    // No bitmap left behind: the leak listener fails the test otherwise.
    ASSERT_TRUE(SaveRunChart(chart, 90000, SIZE{width, height}, path.c_str(), error, 200));
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

// Through the run's own row writer: a log stopping during the end rows is named in the verdict.
TEST(RunLog, TheVerdictSaysTheLogStoppedEvenDuringTheEndRows) {
    char folder[MAX_PATH], tool[MAX_PATH], message[2048];
    GetTempPathA(sizeof folder, folder);
    GetModuleFileNameA(nullptr, tool, sizeof tool); // a file, as a tool must be
    std::string log = std::string(folder) + "vesko-cores-run-log-end-test.csv";
    std::string echo = log + ".out", chart = std::string(folder) + "no-such-folder\\c.bmp";
    DeleteFileA(log.c_str());
    char* arguments[] = {(char*)"--processors", (char*)"0", (char*)"--tool",  tool,
                         (char*)"--log",        &log[0],    (char*)"--chart", &chart[0]};
    CoresRun* run = new CoresRun;
    ASSERT_EQ(0, PrepareRun(run, 8, arguments, message, sizeof message)) << message;
    EXPECT_FALSE(SaveRunChart(run->chart, 0, SIZE{0, 64}, chart.c_str(), message, 200));
    EXPECT_STREQ("the chart (0 x 64) could not be drawn", message);
    TellStarted(&run->judge, &run->judge.watches[0], 0, tool);
    CloseHandle(run->log.file);
    run->log.file =
        CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    run->log.echo = CreateFileA(echo.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_EQ(3, EndRun(run, SIZE{64, 64})) << "the run went on, with no burst";
    CloseHandle(run->log.echo);
    delete run;
    std::stringstream printed;
    printed << std::ifstream(echo, std::ios::binary).rdbuf();
    const std::string parts[] = {
        ",verdict,,,\"NOT PROVEN: processor 0 (core 0) finished 0 bursts in ",
        "none failed; the chart could not be saved as " + chart,
        "; the log stopped: a write failed with error "};
    for (const std::string& part : parts) // the chart's failure and the log's named too
        EXPECT_NE(std::string::npos, printed.str().find(part)) << printed.str();
    DeleteFileA(log.c_str());
    DeleteFileA(echo.c_str());
}

} // namespace
