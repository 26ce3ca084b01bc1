#include "cores/cores_run.h"
#include "cores/run_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

TEST(RunLog, OneHeaderRowsAppendedAndAFailedWriteStopsTheLogAloud) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "vesko-cores-run-log-test.csv";
    DeleteFileA(path.c_str());
    RunLog log = {};
    char error[200];
    ASSERT_TRUE(OpenRunLog(&log, path.c_str(), nullptr, error, sizeof error)) << error;
    WriteRunLog(&log, "a\r\n", 3);
    CloseRunLog(&log);
    ASSERT_TRUE(OpenRunLog(&log, path.c_str(), nullptr, error, sizeof error));
    WriteRunLog(&log, "b\r\n", 3);
    EXPECT_STREQ("", log.failure);
    // A handle that cannot write stands for a full disk.
    CloseHandle(log.file);
    log.file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    WriteRunLog(&log, "c\r\n", 3);
    EXPECT_EQ(nullptr, log.file) << "the log stops";
    EXPECT_NE(nullptr, strstr(log.failure, "the log stopped: a write failed with error"));
    WriteRunLog(&log, "d\r\n", 3);
    CloseRunLog(&log);
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ("utc,run_seconds,processor,event,ticks_per_iteration,mhz,detail\r\na\r\nb\r\n",
              std::string(std::istreambuf_iterator<char>(file), {}));
    file.close();
    DeleteFileA(path.c_str());
    SYSTEMTIME utc = {2026, 1, 4, 2, 3, 4, 5, 6};
    DefaultLogName(utc, folder, sizeof folder);
    EXPECT_STREQ("vesko-cores-20260102-030405.csv", folder);
}

// Through the run's own row writer, no tool started: a log that stops during
// the end rows is still named in the verdict, and the run passes.
TEST(RunLog, TheVerdictSaysTheLogStoppedEvenDuringTheEndRows) {
    char folder[MAX_PATH], tool[MAX_PATH], message[2048];
    GetTempPathA(sizeof folder, folder);
    GetModuleFileNameA(nullptr, tool, sizeof tool); // a file, as a tool must be
    std::string log = std::string(folder) + "vesko-cores-run-log-end-test.csv";
    std::string echo = log + ".out";
    DeleteFileA(log.c_str());
    char* arguments[] = {(char*)"--processors", (char*)"0", (char*)"--tool", tool,
                         (char*)"--log",        &log[0]};
    ASSERT_EQ(0, PrepareRun(&theCoresRun, 6, arguments, message, sizeof message)) << message;
    NoteStarted(&theCoresRun.judge, &theCoresRun.judge.watches[0], 0, tool);
    CloseHandle(theCoresRun.log.file);
    theCoresRun.log.file =
        CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    theCoresRun.log.echo =
        CreateFileA(echo.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_EQ(0, EndRun(&theCoresRun, SIZE{64, 64})) << "PASS: the run went on";
    CloseHandle(theCoresRun.log.echo);
    std::stringstream printed;
    printed << std::ifstream(echo, std::ios::binary).rdbuf();
    EXPECT_NE(std::string::npos, printed.str().find(",verdict,,,\"PASS: 1 processor ran for "));
    EXPECT_NE(std::string::npos,
              printed.str().find("; the log stopped: a write failed with error "))
        << printed.str();
    DeleteFileA(log.c_str());
    DeleteFileA(echo.c_str());
}

} // namespace
