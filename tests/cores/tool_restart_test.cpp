// The supervisor in this process over a simulated clock: after 70 hours a fresh tool, before the
// old one would show days in place of ticks per iteration; figures and judging go on. A tool
// without a window fails after 30 s; a run ends when its --duration is up.
#include "companion_test.h"
#include "cores/win_clock.h"

#include <algorithm>

namespace {

uint64_t theClockAhead = 0; // milliseconds

uint64_t SimulatedClock() { // the machine awake all along
    return WallMilliseconds() + theClockAhead;
}

TEST_F(CoresTest, AToolIsReplacedBeforeSeventyTwoHoursAndFiguresGoOn) {
    std::string tool = ToolPath();
    char* arguments[] = {(char*)"--processors", (char*)"0", (char*)"--every", (char*)"1",
                         (char*)"--tool",       &tool[0],   (char*)"--log",   &log[0]};
    CoresRun* cores = new CoresRun;
    char message[2048];
    ASSERT_EQ(0, PrepareRun(cores, 8, arguments, message, sizeof message)) << message;
    cores->log.echo = nullptr; // its rows are read from the log
    cores->clock.awake = cores->clock.wall = SimulatedClock;
    BeginRun(cores, RECT{0, 0, 640, 480});
    ASSERT_TRUE(PollUntil(cores, budgetMs, [&] { return cores->tools[0].window; }));
    HANDLE first = OpenProcess(SYNCHRONIZE, FALSE, cores->tools[0].processId);
    theClockAhead = kToolRestartHours * 3600000u;
    Log rows = Rows(); // before the restart
    size_t before = rows.size(), figures = Count(rows, "figures", "0", true);
    EXPECT_TRUE(PollUntil(cores, budgetMs, [&] {
        return Count(Rows(), "figures", "0", true) > figures;
    })) << "figures from the fresh tool";
    rows = Rows();
    rows.erase(rows.begin(), rows.begin() + long(before));
    EXPECT_HAS(",0,0,note,,,a fresh tool after 70 hours: from 72 hours on a tool shows days in "
               "place of ticks per iteration,,",
               rows.at(0));
    EXPECT_EQ("start", Field(rows.at(1), 4));
    EXPECT_EQ(70, std::stoi(Field(rows.at(1), 1)) / 3600) << "hours into the run";
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, 0)) << "the old tool is gone";
    CloseHandle(first);
    EXPECT_EQ(0u, Count(rows, "hung", "") + Count(rows, "stopped", "") + Count(rows, "closed", ""));
    EXPECT_NE(1, EndRun(cores, SIZE{64, 64})) << "no failure";
    delete cores;
}

uint64_t theFixedNow = 0; // milliseconds

uint64_t FixedClock() {
    return theFixedNow;
}

TEST_F(CoresTest, AToolWithoutAWindowFailsAfterThirtySecondsAndIsEnded) {
    std::string tool = ToolPath();
    char* arguments[] = {(char*)"--processors", (char*)"0", (char*)"--tool", &tool[0],
                         (char*)"--log",        &log[0]};
    CoresRun* cores = new CoresRun;
    char message[2048];
    ASSERT_EQ(0, PrepareRun(cores, 6, arguments, message, sizeof message)) << message;
    cores->log.echo = nullptr;
    theFixedNow = 5000;
    cores->clock.awake = cores->clock.wall = FixedClock;
    BeginRun(cores, RECT{0, 0, 640, 480});
    HANDLE started = OpenProcess(SYNCHRONIZE, FALSE, cores->tools[0].processId);
    // Polled at once: a process takes far longer than this to show a window.
    theFixedNow += 30000;
    EXPECT_FALSE(PollRun(cores)) << "30 s: still waited for";
    ++theFixedNow;
    EXPECT_TRUE(PollRun(cores)) << "past 30 s: failed, and no tool left";
    EXPECT_HAS(",0,0,stopped,,,no window after 30 s", Find(Rows(), "stopped", "0"));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started, 30000)) << "the tool is ended";
    CloseHandle(started);
    EXPECT_EQ(1, EndRun(cores, SIZE{64, 64}));
    delete cores;
}

// Not in cycle mode: the run ends at its --duration, not a millisecond before.
TEST_F(CoresTest, ARunEndsWhenItsDurationIsUp) {
    std::string tool = ToolPath();
    char* arguments[] = {(char*)"--processors", (char*)"0", (char*)"--duration", (char*)"10",
                         (char*)"--tool",       &tool[0],   (char*)"--log",      &log[0]};
    CoresRun* cores = new CoresRun;
    char message[2048];
    ASSERT_EQ(0, PrepareRun(cores, 8, arguments, message, sizeof message)) << message;
    cores->log.echo = nullptr;
    theFixedNow = 5000;
    cores->clock.awake = cores->clock.wall = FixedClock;
    BeginRun(cores, RECT{0, 0, 640, 480});
    theFixedNow += 9999;
    EXPECT_FALSE(PollRun(cores));
    ++theFixedNow;
    EXPECT_TRUE(PollRun(cores)) << "10 s: time is up";
    EXPECT_EQ(3, EndRun(cores, SIZE{64, 64})) << "NOT PROVEN: no burst";
    const std::string end = "; 1 processor for 0:00:10, none failed\",,,"; // no note after it
    std::string verdict = Rows().back();
    EXPECT_EQ(end, verdict.substr(verdict.size() - std::min(verdict.size(), end.size())));
    delete cores;
}

} // namespace
