// The supervisor in this process over a simulated clock: after 70 hours a fresh tool, before the
// old one would show days in place of ticks per iteration; figures and judging go on. A tool
// without a window fails after 30 s; a run ends when its --duration is up.
#include "companion_test.h"
#include "cores/win_clock.h"

#include <algorithm>
#include <vector>

namespace {

// Vesko Cores begun in this process on processor 0 with the tool, the log and `options`, over
// `clock`; its rows go to the log alone. Null where it refused.
CoresRun* BeginHere(const std::string& log, std::vector<std::string> options,
                    MillisecondSource clock) {
    options.insert(options.end(), {"--processors", "0", "--tool", ToolPath(), "--log", log});
    std::vector<char*> arguments;
    for (std::string& option : options)
        arguments.push_back(&option[0]);
    CoresRun* cores = new CoresRun;
    char message[2048];
    if (PrepareRun(cores, int(arguments.size()), arguments.data(), message, sizeof message)) {
        ADD_FAILURE() << message;
        delete cores;
        return nullptr;
    }
    cores->log.echo = nullptr;
    cores->clock.awake = cores->clock.wall = clock;
    BeginRun(cores, RECT{0, 0, 640, 480});
    return cores;
}

uint64_t theClockAhead = 0; // milliseconds

uint64_t SimulatedClock() { // the machine awake all along
    return WallMilliseconds() + theClockAhead;
}

TEST_F(CoresTest, AToolIsReplacedBeforeSeventyTwoHoursAndFiguresGoOn) {
    CoresRun* cores = BeginHere(log, {"--every", "1"}, SimulatedClock);
    ASSERT_TRUE(cores);
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
    theFixedNow = 5000;
    CoresRun* cores = BeginHere(log, {}, FixedClock);
    ASSERT_TRUE(cores);
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
    theFixedNow = 5000;
    CoresRun* cores = BeginHere(log, {"--duration", "10"}, FixedClock);
    ASSERT_TRUE(cores);
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
