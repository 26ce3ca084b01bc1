#include "cores/run_log.h"

#include <gtest/gtest.h>

#include <fstream>
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

} // namespace
