// A run's log read back after the machine stopped, as a later start with --resume reads it.
#include "judge_run.h"
#include "cores/core_turns.h"
#include "cores/resume_log.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A judge whose rows become log lines as the program writes them; the log can then be cut.
struct LoggedRun {
    LoggedRun(uint64_t processors, const char* options) {
        bool cycling = strstr(options, "--cycle") != nullptr;
        StartJudge(&judge, processors, 10, cycling, {Write, this});
        for (int i = 0; i < judge.count; ++i) // processor p is core p
            judge.watches[i].core = judge.watches[i].processor;
        EmitRow(judge, MakeLogRow(0, -1, runEvent, "%s", options));
    }
    static void Write(void* context, const LogRow& row) {
        char line[1400];
        int length = FormatLogRow(row, SYSTEMTIME{2026, 12, 3, 9, 1, 2, 3, 0}, line, sizeof line);
        ((LoggedRun*)context)->lines.push_back(std::string(line, size_t(length - 2)));
    }
    ProcessorWatch* Watch(int processor) { return FindWatch(&judge, processor); }
    void Start(int processor, uint64_t now) {
        TellStarted(&judge, Watch(processor), now, "vesko.exe");
        TellWindow(Watch(processor), now);
    }
    // Counted bursts a second apart from `from`, and the figures of the interval that ends.
    void Bursts(int processor, int count, uint64_t from) {
        for (int i = 0; i < count; ++i) {
            TellTitle(&judge, Watch(processor), "Vesko", from + 1000 * uint64_t(i));
            TellTitle(&judge, Watch(processor), "Vesko 23 instructions in 7.00 CPU CLOCKS",
                      from + 1000 * uint64_t(i) + 500);
        }
        JudgeTick(&judge, from + 1000 * uint64_t(count));
    }
    // The log as a later start reads it: its header and lines, and where `cut`, an unfinished
    // line after them, which the reader is never given.
    ResumeLog* Read(bool cut = false) {
        static ResumeLog log; // 64 processors' figures: off the stack
        StartResumeLog(&log);
        std::string header(kLogHeader, strlen(kLogHeader) - 2);
        ReadResumeLine(&log, header.c_str());
        for (const std::string& line : lines)
            ReadResumeLine(&log, line.c_str());
        EndResumeLog(&log, cut);
        return &log;
    }
    Judge judge;
    Rows lines;
};

// The next part: a judge that takes on the log; its rows as JudgeRun collects them.
struct NextPart : JudgeRun {
    NextPart(uint64_t processors, const ResumeLog& log) : JudgeRun(processors, log.cycling) {
        for (int i = 0; i < judge.count; ++i)
            judge.watches[i].core = judge.watches[i].processor;
        ResumeWatches(&judge, log);
        stopped = WriteResumedRows(&judge, log);
    }
    std::string Verdict(uint64_t now) {
        char text[1200];
        VerdictText(judge, now, nullptr, text, sizeof text);
        return text;
    }
    int stopped;
};

// A cycle run stopped during processor 1's turn, after its own bursts there: it is failed and named
// with its core, processor 0 keeps the first part's evidence, the round goes on after core 1.
TEST(ResumeLog, ACycleRunStoppedInATurnFailsThatCoreOnly) {
    LoggedRun first(0x7, "--processors 0-2 --cycle 10 --log \"C:\\a b\\x.csv\"");
    first.Start(0, 0);
    first.Bursts(0, 4, 1000);
    for (const char* warning : {"slower than the rest: 8.00", "not loaded: busy below"})
        EmitRow(first.judge, MakeLogRow(5000, 0, warningEvent, "%s", warning));
    EmitRow(first.judge, MakeLogRow(6000, -1, warningEvent, "slowing down: median 8.00"));
    TellMove(&first.judge, first.Watch(0), first.Watch(1), 12000);
    first.Bursts(1, 2, 13000); // the first after the move is not counted
    ResumeLog* log = first.Read();
    ASSERT_EQ(cutShortLog, log->finding);
    EXPECT_STREQ("--processors 0-2 --cycle 10 --log \"C:\\a b\\x.csv\"", log->options);
    EXPECT_EQ(15000u, log->lastMs);
    NextPart next(0x7, *log);
    EXPECT_EQ((Rows{"resumed -1 -1 -1 part 2: the run stopped without a verdict after its row at "
                    "0:00:15, 1 processor under the tool",
                    "stopped 1 -1 -1 the machine stopped while it was under the tool; last row at "
                    "0:00:15"}),
              next.rows);
    const ProcessorWatch &a = next.judge.watches[0], &b = next.judge.watches[1];
    EXPECT_EQ(std::make_tuple(4, uint64_t(12000), false),
              std::make_tuple(a.bursts, a.underToolMs, Failed(a)));
    EXPECT_EQ(700u, b.run.Median()) << "its figures rows' ticks";
    EXPECT_EQ(std::make_tuple(1, 1, 1, 0),
              std::make_tuple(a.warnings.slower.count, a.warnings.notLoaded.count,
                              next.judge.band.slowing.count, b.warnings.slower.count))
        << "the warnings count on";
    EXPECT_EQ(std::make_tuple(1, uint64_t(3000), true),
              std::make_tuple(b.bursts, b.underToolMs, Failed(b)));
    CoreCycle cycle;
    PlanCycle(&cycle, next.judge);
    ResumeCycle(&cycle, next.judge, *log);
    EXPECT_EQ(std::make_pair(1, -1), std::make_pair(cycle.turn, cycle.recheck))
        << "after core 1's turn: core 2, then 0 again";
    EXPECT_EQ("FAIL: 3 processors in turn for 0:00:20, in 2 parts, 1 failed: processor 1 (core 1) "
              "stopped, the machine stopped while it was under the tool; last row at 0:00:15; "
              "processor 2 (core 2) finished 0 bursts in 0:00:00 under the tool (3 needed); "
              "warnings: slowing down (1), processor 0 (core 0) slower than the rest (1), "
              "processor 0 (core 0) not loaded (1)",
              next.Verdict(20000));
}

// Core 0's turn is no special case; a stop before the first counted burst after a move names
// both cores and owes the one the tool came from another turn.
TEST(ResumeLog, AStopAtATurnsEdgeNamesBothCores) {
    LoggedRun first(0x3, "--cycle 10");
    first.Start(0, 0);
    first.Bursts(0, 1, 1000);
    ResumeLog* log = first.Read();
    NextPart zero(0x3, *log);
    EXPECT_TRUE(Failed(zero.judge.watches[0])) << "core 0 under the tool";
    CoreCycle cycle;
    PlanCycle(&cycle, zero.judge);
    ResumeCycle(&cycle, zero.judge, *log);
    EXPECT_EQ(std::make_pair(0, -1), std::make_pair(cycle.turn, cycle.recheck));
    first.Bursts(0, 3, 5000);
    TellMove(&first.judge, first.Watch(0), first.Watch(1), 12000);
    TellTitle(&first.judge, first.Watch(1), "Vesko 23 instructions in 7.00 CPU CLOCKS", 12500);
    log = first.Read();
    NextPart edge(0x3, *log);
    EXPECT_EQ(
        "stopped 1 -1 -1 the machine stopped while it was under the tool; last row at 0:00:12, "
        "in its first burst after moving from processor 0 (core 0)",
        edge.rows.at(1));
    PlanCycle(&cycle, edge.judge);
    ResumeCycle(&cycle, edge.judge, *log);
    EXPECT_EQ(std::make_pair(1, 0), std::make_pair(cycle.turn, cycle.recheck));
    EXPECT_EQ(0, edge.judge.watches[1].failure.movedFrom);
    EXPECT_EQ(0u, edge.judge.watches[1].underToolMs) << "it came at the last row";
}

// All at once: every processor under the tool is named, and the verdict says how to tell which.
TEST(ResumeLog, AllAtOnceEveryProcessorUnderTheToolIsNamed) {
    LoggedRun first(0xB, "--every 10");
    for (int p : {0, 1, 3})
        first.Start(p, 0);
    first.Bursts(0, 3, 1000);
    TellExit(&first.judge, first.Watch(3), 0, 4000); // closed by hand: no tool at the stop
    ResumeLog* log = first.Read();
    NextPart next(0xB, *log);
    EXPECT_EQ(2, next.stopped);
    EXPECT_NE(std::string::npos,
              next.Verdict(4000).find("; the machine stopped with 2 processors under the tool at "
                                      "once: a cycle run (--cycle) tells which core it was"));
    EXPECT_TRUE(next.judge.watches[2].closedByHand);
}

// A row cut by the power is no row; the part after says so, and a later reading drops it too.
TEST(ResumeLog, ARowCutInTheMiddleIsNoRowInAnyPart) {
    LoggedRun first(0x1, "--processors 0");
    first.Start(0, 0);
    first.Bursts(0, 3, 1000);
    ResumeLog* log = first.Read(true);
    ASSERT_TRUE(log->cutLastRow);
    NextPart second(0x1, *log);
    EXPECT_NE(std::string::npos, second.rows[0].find("; " + std::string(kCutRowWords)));
    // In the file the cut line was ended by the next part, whose resumed row follows it.
    first.lines.push_back("2026-12-09T01:02:03Z,9,0,0,closed,,,window closed by hand,,3,9");
    first.lines.push_back("2026-12-09T01:02:03Z,4,,,resumed,,,\"part 2: ...; " +
                          std::string(kCutRowWords) + "\",,,");
    log = first.Read();
    EXPECT_FALSE(log->processors[0].closedByHand);
    EXPECT_EQ(2, log->parts);
    NextPart third(0x1, *log);
    EXPECT_NE(std::string::npos, third.Verdict(5000).find("in 3 parts"));
}

// A row cut where it no longer parses leaves the whole row before it alone, in any part.
TEST(ResumeLog, ACutRowThatDoesNotParseTakesNoWholeRowWithIt) {
    LoggedRun first(0x3, "--every 10");
    first.Start(0, 0);
    first.Start(1, 0);
    TellExit(&first.judge, first.Watch(0), 0xC0000005, 3000); // the last whole row
    first.lines.push_back("2026-12-09T01:02:03Z,4,1,1,figures,7.00,,\"samp");
    first.lines.push_back("2026-12-09T01:02:03Z,4,,,resumed,,,\"part 2: ...; " +
                          std::string(kCutRowWords) + "\",,,");
    ResumeLog* log = first.Read();
    EXPECT_TRUE(log->processors[0].failure.failed) << "the crash stays on record";
    EXPECT_FALSE(log->processors[0].onTool);
}

// Windows ending the session is no failure: nothing is under the tool, and the turn it cut
// short comes again.
TEST(ResumeLog, AfterWindowsEndedTheSessionTheCutTurnComesAgain) {
    LoggedRun first(0x7, "--cycle 10");
    first.Start(0, 0);
    first.Bursts(0, 3, 1000);
    TellMove(&first.judge, first.Watch(0), first.Watch(1), 12000);
    first.Bursts(1, 2, 13000);
    EmitRow(first.judge, MakeLogRow(16000, -1, pausedEvent, "%s", "Windows ended the session"));
    ResumeLog* log = first.Read();
    NextPart next(0x7, *log);
    EXPECT_EQ(0, next.stopped);
    EXPECT_EQ(std::make_pair(3, 1),
              std::make_pair(next.judge.watches[0].bursts, next.judge.watches[1].bursts));
    EXPECT_EQ(uint64_t(4000), next.judge.watches[1].underToolMs) << "until the pause";
    CoreCycle cycle;
    PlanCycle(&cycle, next.judge);
    ResumeCycle(&cycle, next.judge, *log);
    EXPECT_EQ(0, cycle.turn) << "so that core 1's turn is next again";
    EXPECT_EQ(std::string::npos, next.Verdict(16000).find("FAIL"));
}

// Only a log whose last run stopped without a verdict can go on.
TEST(ResumeLog, OtherLogsHoldNoRunToGoOnWith) {
    std::unique_ptr<ResumeLog> log(new ResumeLog);
    const std::string header(kLogHeader, strlen(kLogHeader) - 2);
    struct Case {
        std::vector<std::string> lines;
        LogFinding finding;
    } cases[] = {
        {{}, emptyLog},
        {{"name,value", "a,1"}, foreignLog},
        {{"utc,run_seconds,processor,core,event,ticks_per_iteration,mhz,detail,busy"},
         otherColumnsLog},
        {{header, "2026-12-09T01:02:03Z,0,0,0,start,,,vesko.exe,,0,0"}, noRunLog},
        {{header, "2026-12-09T01:02:03Z,0,,,run,,,--cycle 10,,,",
          "2026-12-09T01:02:03Z,7,,,verdict,,,\"FAIL: 2 processors\",,,"},
         finishedLog},
        {{header, "2026-12-09T01:02:03Z,0,,,run,,,--cycle 10,,,",
          "2026-12-09T01:02:03Z,0,0,0,start,,,vesko.exe,,0,0",
          "2026-12-09T01:02:03Z,5,1,1,stopped,,,\"exit code 0x1, in its first burst after moving "
          "from processor 0 (core 0)\",,0,5",
          "2026-12-09T01:02:03Z,7,,,verdict,,,PASS,,,",
          "2026-12-09T01:02:03Z,0,,,run,,,--every 2,,,"},
         cutShortLog},
    };
    for (const Case& c : cases) {
        StartResumeLog(log.get());
        for (const std::string& line : c.lines)
            ReadResumeLine(log.get(), line.c_str());
        EndResumeLog(log.get(), false);
        EXPECT_EQ(c.finding, log->finding) << c.lines.size();
        if (c.finding == finishedLog) {
            EXPECT_STREQ("FAIL: 2 processors", log->verdict) << "quoted in the refusal";
        }
    }
    EXPECT_STREQ("--every 2", log->options) << "the last run";
    EXPECT_EQ(
        std::make_tuple(false, -1, -1, 1),
        std::make_tuple(log->cycling, log->lastToolProcessor, log->recheckProcessor, log->parts))
        << "nothing of the run before";
}

} // namespace
