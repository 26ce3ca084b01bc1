// The supervisor in this process over a made-up topology where processors 0 and 1 are the two
// threads of core 0: --threads 2 loads both at once, and a failure on either ends the core's turn.
#include "companion_test.h"
#include "cores/hung_rule.h"

namespace {

CoresRun* PrepareOverOneCore(const char* threads, std::string* tool, std::string* log) {
    const char* arguments[] = {"--processors", "0,1",    "--cycle",     "10",    "--threads",
                               threads,        "--tool", tool->c_str(), "--log", log->c_str()};
    CoresRun* cores = new CoresRun;
    char message[2048];
    EXPECT_EQ(0, PrepareRun(cores, 10, (char**)arguments, message, sizeof message)) << message;
    cores->log.echo = nullptr; // its rows are read from the log
    for (int p = 0; p < 2; ++p)
        cores->topology.processors[p] = {true, 0, p + 1, 2, 0, -1, 0};
    cores->topologyKnown = true;
    StartJudging(cores);
    return cores;
}

TEST_F(CoresTest, ACoreTurnLoadsItsFirstThreadsAtOnce) {
    std::string tool = ToolPath();
    CoresRun* cores = PrepareOverOneCore("1", &tool, &log);
    EXPECT_EQ(1, cores->judge.count) << "the second thread neither tested nor judged";
    CloseRunLog(&cores->log);
    delete cores;
    for (int victim : {1, 0}) { // either thread's failure ends the turn: a crash, a hang
        cores = PrepareOverOneCore("2", &tool, &log);
        BeginRun(cores, RECT{0, 0, 640, 480});
        ToolProcess* tools = cores->tools;
        DWORD ids[2] = {tools[0].processId, tools[1].processId};
        EXPECT_EQ(std::make_pair(DWORD_PTR(1), DWORD_PTR(2)),
                  std::make_pair(AffinityOf(ids[0]), AffinityOf(ids[1])));
        ASSERT_TRUE(PollUntil(cores, budgetMs, [&] {
            return cores->judge.watches[0].bursts && cores->judge.watches[1].bursts;
        }));
        EXPECT_TRUE(tools[0].processId == ids[0] && tools[1].processId == ids[1]) << "at once";
        int healthy = 1 - victim;
        HANDLE sibling = OpenProcess(SYNCHRONIZE, FALSE, ids[healthy]);
        victim ? Crash(ids[victim]) : Freeze(ids[victim]);
        DWORD hungMs = DWORD(kHungMinimumMs) + 10 * BurstBudgetMs();
        ASSERT_TRUE(PollUntil(cores, budgetMs + hungMs, [&] {
            return tools[healthy].process && tools[healthy].processId != ids[healthy];
        })) << "the core's turn ended, then began again on its healthy thread only";
        EXPECT_EQ(healthy, cores->watchOf[healthy]) << victim;
        EXPECT_EQ(-1, cores->watchOf[victim]) << victim;
        EXPECT_FALSE(cores->judge.watches[victim].onProcessor) << "no time under a tool it lost";
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(sibling, 0)) << "the sibling's tool was ended";
        CloseHandle(sibling);
        EXPECT_EQ(1, EndRun(cores, SIZE{64, 64})) << "FAIL: the victim stopped";
        delete cores;
    }
}

} // namespace

// A tool that crashes before its first counted burst after a move: the core it came from gets one
// more turn, and the run's time running out does not end the run before that turn is done.
TEST_F(CoresTest, AFailureAtATurnsEdgeOwesTheCoreItCameFromATurn) {
    if (OtherCore().empty())
        GTEST_SKIP() << "one core: nowhere to move";
    std::string tool = ToolPath(), processors = "0," + OtherCore();
    const char* arguments[] = {"--processors", processors.c_str(), "--cycle", "10",
                               "--tool",       tool.c_str(),       "--log",   log.c_str()};
    CoresRun* cores = new CoresRun;
    char message[2048];
    ASSERT_EQ(0, PrepareRun(cores, 8, (char**)arguments, message, sizeof message)) << message;
    cores->log.echo = nullptr;
    cores->options.cycleSeconds = 1; // turns end at their third burst
    BeginRun(cores, RECT{0, 0, 640, 480});
    ProcessorWatch* second = &cores->judge.watches[1];
    ASSERT_TRUE(PollUntil(cores, budgetMs, [&] { return second->onProcessor; }));
    Crash(cores->tools[0].processId); // before the next look: no burst of it counted there
    cores->options.durationSeconds = 1;
    EXPECT_FALSE(PollRun(cores)) << "time is up, but core 0 is owed its turn";
    EXPECT_HAS("in its first burst after moving from processor 0", second->failure.what);
    EXPECT_TRUE(cores->cycle.rechecking);
    for (DWORD start = GetTickCount(); !PollRun(cores) && GetTickCount() - start < budgetMs;)
        Sleep(125);
    EXPECT_GE(cores->judge.watches[0].turnBursts, 3) << "the run ends once that turn is done";
    EXPECT_EQ(1, EndRun(cores, SIZE{64, 64}));
    delete cores;
}
