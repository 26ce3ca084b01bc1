// The supervisor in this process over a simulated clock: a tool that has run
// for 70 hours is replaced by a fresh one before it would show days in place
// of ticks per iteration, and figures and judging go on.
#include "companion_test.h"
#include "cores/cores_run.h"

namespace {

DWORD theHoursAdded = 0; // milliseconds the simulated clock is ahead

DWORD WINAPI SimulatedClock() {
    return GetTickCount() + theHoursAdded;
}

std::vector<std::string> LogRows(const std::string& path) {
    std::vector<std::string> rows;
    std::ifstream file(path, std::ios::binary);
    for (std::string row; std::getline(file, row);)
        rows.push_back(row.substr(0, row.size() - 1)); // without the CR
    return rows;
}

TEST(ToolRestart, AToolIsReplacedBeforeSeventyTwoHoursAndFiguresGoOn) {
    std::string log = TempPath("vesko-cores-restart-test.csv"), tool = ToolPath();
    DeleteFileA(log.c_str());
    char* arguments[] = {(char*)"--processors", (char*)"0", (char*)"--every", (char*)"1",
                         (char*)"--tool",       &tool[0],   (char*)"--log",   &log[0]};
    CoresRun* run = new CoresRun;
    char message[2048];
    ASSERT_EQ(0, PrepareRun(run, 8, arguments, message, sizeof message)) << message;
    run->log.echo = nullptr; // its rows are read from the log
    run->tickCount = SimulatedClock;
    BeginRun(run, RECT{0, 0, 640, 480});
    size_t restartAt = 0;
    auto pollUntil = [&](const std::function<bool(const std::vector<std::string>&)>& done) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 30000 + 4 * BurstBudgetMs();
             Sleep(125)) {
            PollRun(run);
            std::vector<std::string> rows = LogRows(log);
            if (done(std::vector<std::string>(rows.begin() + long(restartAt), rows.end())))
                return true;
        }
        return false;
    };
    auto figures = [](const std::vector<std::string>& rows) {
        return Count(rows, "figures", "0", true) > 0;
    };
    ASSERT_TRUE(pollUntil([&](const std::vector<std::string>&) { return run->tools[0].window; }))
        << "the first tool's window";
    DWORD first = run->tools[0].processId;
    HANDLE firstProcess = OpenProcess(SYNCHRONIZE, FALSE, first);
    theHoursAdded = kToolRestartHours * 3600000u;
    restartAt = LogRows(log).size();
    EXPECT_TRUE(pollUntil(figures)) << "figures from the fresh tool";
    std::vector<std::string> rows = LogRows(log);
    rows.erase(rows.begin(), rows.begin() + long(restartAt));
    EXPECT_EQ(",0,note,,,a fresh tool after 70 hours: from 72 hours on a tool shows days in place "
              "of ticks per iteration,",
              rows.at(0).substr(rows.at(0).find(',', 21)));
    EXPECT_EQ("start", Field(rows.at(1), 3));
    EXPECT_EQ(70, std::stoi(Field(rows.at(1), 1)) / 3600) << "hours into the run";
    EXPECT_NE(first, run->tools[0].processId);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(firstProcess, 0)) << "the old tool is gone";
    CloseHandle(firstProcess);
    EXPECT_EQ(0u, Count(rows, "hung", "") + Count(rows, "stopped", "") + Count(rows, "closed", ""));
    EXPECT_NE(1, EndRun(run, SIZE{64, 64})) << "no failure";
    delete run;
    DeleteFileA(log.c_str());
}

} // namespace
