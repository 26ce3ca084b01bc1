#include "cores/judge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kEvents[] = {"start",   "figures", "moved", "warning", "hung",
                               "stopped", "closed",  "end",   "verdict"};

// A judge over made-up titles and times; its rows as "event processor ticks mhz detail".
struct JudgeRun {
    explicit JudgeRun(uint64_t processors, bool cycling = false) {
        StartJudge(&judge, processors, 10, cycling, {Collect, this});
    }
    static void Collect(void* context, const LogRow& row) {
        char text[600];
        snprintf(text, sizeof text, "%s %d %d %d %s", kEvents[row.event], row.processor,
                 row.ticksHundredths, row.mhzTenths, row.detail);
        ((JudgeRun*)context)->rows.push_back(text);
    }
    ProcessorWatch* Start(int processor, uint64_t now = 0) {
        ProcessorWatch* watch = FindWatch(&judge, processor);
        NoteStarted(&judge, watch, now, "vesko.exe");
        NoteWindow(watch, now);
        return watch;
    }
    void Cycles(ProcessorWatch* watch, const char* ticks, uint64_t now) {
        NoteTitle(&judge, watch,
                  (std::string("Vesko 23 instructions in ") + ticks + " CPU CLOCKS").c_str(), now);
    }
    // Rows of one event, taken from the list.
    std::vector<std::string> Take(const char* event) {
        std::vector<std::string> taken, kept;
        for (const std::string& row : rows)
            (row.rfind(std::string(event) + " ", 0) == 0 ? taken : kept).push_back(row);
        rows = kept;
        return taken;
    }
    Judge judge;
    std::vector<std::string> rows;
};

using Rows = std::vector<std::string>;

TEST(Judge, FiguresEachIntervalAndTheRunMedianAtTheEnd) {
    JudgeRun run(0x7); // processors 0 and 2; 1 is not tested
    EXPECT_EQ(nullptr, FindWatch(&run.judge, 3));
    ProcessorWatch* a = run.Start(0);
    ProcessorWatch* b = run.Start(2);
    EXPECT_EQ((Rows{"start 0 -1 -1 vesko.exe", "start 2 -1 -1 vesko.exe"}), run.Take("start"));
    NoteTitle(&run.judge, a, "Vesko", 100);
    run.Cycles(a, "7.43", 1000);
    run.Cycles(a, "7.43", 1100); // unchanged: the same burst's title
    run.Cycles(a, "7.61", 1200);
    run.Cycles(a, "7.40", 1300);
    run.Cycles(a, "7.52", 1400);
    run.Cycles(a, "0.00", 1450); // no figure
    NoteTitle(&run.judge, a, "Vesko 00:00:02 at 2096.3 MHz", 2000);
    run.Cycles(b, "7.45", 1500);
    JudgeTick(&run.judge, 9999);
    EXPECT_TRUE(run.rows.empty());
    JudgeTick(&run.judge, 10050);
    EXPECT_EQ((Rows{"figures 0 743 20963 samples 4", "figures 2 745 -1 samples 1"}),
              run.Take("figures"));
    JudgeTick(&run.judge, 19999);
    JudgeTick(&run.judge, 20000);
    EXPECT_EQ((Rows{"figures 0 -1 20963 samples 0", "figures 2 -1 -1 samples 0"}),
              run.Take("figures"));
    EXPECT_EQ(0u, a->interval.Median()) << "none";
    run.Cycles(a, "7.80", 21000);
    run.Cycles(a, "7.90", 22000);
    EXPECT_EQ(0, FinishJudge(&run.judge, 25000, nullptr));
    EXPECT_EQ((Rows{"end 0 752 20963 ok", "end 1 -1 -1 not tested", "end 2 745 -1 ok",
                    "verdict -1 -1 -1 PASS: 2 processors ran for 0:00:25, none failed; 1 not "
                    "tested"}),
              run.rows);
}

TEST(Judge, HungAfterThirtySecondsOrTenOfTheLongestBursts) {
    JudgeRun run(0x3);
    ProcessorWatch* a = run.Start(0);
    ProcessorWatch* b = run.Start(1);
    run.Cycles(a, "7.00", 1000);
    run.Cycles(b, "7.00", 1000);
    JudgeTick(&run.judge, 31000);
    EXPECT_TRUE(run.Take("hung").empty()) << "30 s exactly is not longer than 30 s";
    run.Cycles(b, "7.10", 31000);
    JudgeTick(&run.judge, 31001);
    EXPECT_EQ((Rows{"hung 0 -1 -1 no new title for 30 s"}), run.Take("hung"));
    EXPECT_EQ(hungState, a->state);
    run.Cycles(a, "7.20", 32000);
    EXPECT_EQ(runningState, a->state) << "alive again, the failure stays";
    // 3,000 ticks an iteration at 2,000 MHz: 15 s bursts, so 150 s of silence.
    NoteTitle(&run.judge, b, "Vesko 00:00:02 at 2000.0 MHz", 33000);
    run.Cycles(b, "3000.00", 34000);
    EXPECT_EQ(150000u, HungAfterMs(run.judge));
    run.Cycles(a, "7.30", 150000);
    JudgeTick(&run.judge, 184000);
    EXPECT_TRUE(run.Take("hung").empty());
    JudgeTick(&run.judge, 184001);
    EXPECT_EQ((Rows{"hung 1 -1 -1 no new title for 150 s"}), run.Take("hung"));
    JudgeTick(&run.judge, 600000); // hung again, then closed: the first failure stays
    EXPECT_EQ((Rows{"hung 0 -1 -1 no new title for 450 s"}), run.Take("hung"));
    NoteExit(&run.judge, a, 0, 600000);
    run.rows.clear();
    EXPECT_EQ(1, FinishJudge(&run.judge, 600000, nullptr));
    EXPECT_EQ("end 0 720 -1 hung, no new title for 30 s at 0:00:31", run.rows.front());
    EXPECT_EQ(
        "verdict -1 -1 -1 FAIL: 2 processors ran for 0:10:00, 2 failed: processor 0 hung, "
        "no new title for 30 s at 0:00:31; processor 1 hung, no new title for 150 s at 0:03:04; "
        "processor 0 closed by hand at 0:10:00",
        run.rows.back());
}

TEST(Judge, AnExitCodeStopsAProcessorAndZeroMeansClosedByHand) {
    JudgeRun run(0x7);
    ProcessorWatch* a = run.Start(0);
    ProcessorWatch* b = run.Start(1);
    ProcessorWatch* c = FindWatch(&run.judge, 2);
    NoteStarted(&run.judge, c, 0, "vesko.exe"); // its window not found yet
    NoteExit(&run.judge, a, 0xC000001D, 61000);
    NoteExit(&run.judge, b, 0, 62000);
    EXPECT_EQ((Rows{"stopped 0 -1 -1 exit code 0xC000001D (illegal instruction)"}),
              run.Take("stopped"));
    EXPECT_EQ((Rows{"closed 1 -1 -1 window closed by hand"}), run.Take("closed"));
    run.Cycles(a, "9.00", 62000);  // a stopped tool's title is no news
    run.Cycles(c, "7.00", 361000); // its first figure after the first 5 minutes
    JudgeTick(&run.judge, 600000);
    EXPECT_TRUE(run.Take("hung").empty()) << "only running tools can hang";
    EXPECT_TRUE(run.Take("warning").empty()) << "no first 5 minutes to compare with";
    run.rows.clear();
    EXPECT_EQ(1, FinishJudge(&run.judge, 600000, "the log stopped"));
    EXPECT_EQ((Rows{"end 0 -1 -1 stopped, exit code 0xC000001D (illegal instruction) at 0:01:01",
                    "end 1 -1 -1 ok, closed by hand at 0:01:02", "end 2 700 -1 ok",
                    "verdict -1 -1 -1 FAIL: 3 processors ran for 0:10:00, 1 failed: processor 0 "
                    "stopped, exit code 0xC000001D (illegal instruction) at 0:01:01; processor 1 "
                    "closed by hand at 0:01:02; the log stopped"}),
              run.rows);
}

TEST(Judge, TheVerdictNamesAFewFailuresAndCountsTheRest) {
    JudgeRun run(0x1FF); // processor 8 never starts
    for (int p = 0; p < 8; ++p) {
        NoteExit(&run.judge, run.Start(p), p < 4 ? 0 : p == 4 ? 1 : 0xC0000005, 1000);
        run.judge.watches[p].warnings = p + 1; // as if written along the way
    }
    run.judge.slowingWarnings = 2;
    char verdict[1024];
    VerdictText(run.judge, 2000, "the log stopped", verdict, sizeof verdict);
    EXPECT_EQ("FAIL: 8 processors ran for 0:00:02, 4 failed: processor 4 stopped, exit code "
              "0x00000001 at 0:00:01; processor 5 stopped, exit code 0xC0000005 (access violation) "
              "at 0:00:01; processor 6 stopped, exit code 0xC0000005 (access violation) at "
              "0:00:01; 1 more in the end rows; processor 0 closed by hand at 0:00:01; processor 1 "
              "closed by hand at 0:00:01; processor 2 closed by hand at 0:00:01; 1 more closed by "
              "hand; 1 not tested; warnings: slowing down (2), processor 0 slower than the rest "
              "(1), processor 1 slower than the rest (2), processor 2 slower than the rest (3), 5 "
              "more processors slower than the rest; the log stopped",
              std::string(verdict));
}

TEST(Judge, ASlowerProcessorIsWarnedWhenItStartsThenEveryTenMinutes) {
    JudgeRun run(0x1F);
    ProcessorWatch* w[4] = {run.Start(0), run.Start(1), run.Start(2), run.Start(3)};
    const char* ticks[4] = {"7.00", "7.20", "7.92", "8.00"}; // 7.92 is exactly 10 % above 7.20
    // Started in the first interval: its start-up is not judged.
    run.Cycles(run.Start(4, 5000), "20.00", 6000);
    uint64_t now = 0;
    for (int interval = 0; interval < 62; ++interval) {
        for (int i = 0; i < 4; ++i) {
            NoteTitle(&run.judge, w[i], "Vesko", now + 100); // so that the same figure counts again
            run.Cycles(w[i], ticks[i], now + 200);
        }
        now += 10000;
        JudgeTick(&run.judge, now);
    }
    Rows warnings = run.Take("warning");
    ASSERT_EQ(2u, warnings.size()) << "at 10 s and 10 minutes later";
    EXPECT_EQ(
        "warning 3 800 -1 slower than the rest: 8.00 ticks against a median of 7.20 (+11.1 %)",
        warnings[0]);
    EXPECT_EQ(warnings[0], warnings[1]);
    EXPECT_EQ(2, w[3]->warnings);
    // Stopped and closed processors leave the reference.
    NoteExit(&run.judge, w[1], 0, now);
    NoteExit(&run.judge, w[2], 0xC0000005, now);
    run.Cycles(w[3], "7.10", now + 100); // back in the band: a new slowness is news at once
    JudgeTick(&run.judge, now += 10000);
    run.Cycles(w[3], "9.00", now + 100);
    JudgeTick(&run.judge, now += 10000);
    EXPECT_EQ((Rows{"warning 3 900 -1 slower than the rest: 9.00 ticks against a median of 7.00 "
                    "(+28.6 %)"}),
              run.Take("warning"));
}

TEST(Judge, TheWholeBandSlowingDownIsAWarningForTheRun) {
    JudgeRun run(0x3);
    ProcessorWatch* w[2] = {run.Start(0), run.Start(1)};
    uint64_t firstAt = 0;
    for (uint64_t now = 1000; now <= 20 * 60000; now += 1000) {
        bool hot = now > 5 * 60000;
        for (ProcessorWatch* watch : w)
            run.Cycles(watch, now % 2000 ? (hot ? "8.00" : "7.00") : (hot ? "8.01" : "7.01"), now);
        JudgeTick(&run.judge, now);
        firstAt = firstAt ? firstAt : run.judge.slowingWarnings ? now : 0;
    }
    EXPECT_EQ(10 * 60000u, firstAt) << "the last 5 minutes against the first, from 10 minutes on";
    Rows warnings = run.Take("warning");
    ASSERT_EQ(2u, warnings.size());
    EXPECT_EQ(
        "warning -1 801 -1 slowing down: median 8.01 ticks in the last 5 minutes against 7.00 "
        "in the first 5 (+14.4 %)",
        warnings[0]);
    EXPECT_EQ(2, run.judge.slowingWarnings);
    char verdict[200];
    VerdictText(run.judge, 20 * 60000, nullptr, verdict, sizeof verdict);
    EXPECT_STREQ("PASS: 2 processors ran for 0:20:00, none failed; warnings: slowing down (2)",
                 verdict);
}

TEST(Judge, ACycledToolsFirstTitleAfterAMoveIsNotCounted) {
    JudgeRun run(0x3, true);
    ProcessorWatch* a = run.Start(0);
    ProcessorWatch* b = FindWatch(&run.judge, 1);
    run.Cycles(a, "7.00", 1000);
    NoteMove(&run.judge, a, b, 5000);
    EXPECT_EQ((Rows{"moved 1 -1 -1 from 0"}), run.Take("moved"));
    EXPECT_EQ(waitingState, a->state);
    run.Cycles(b, "7.00", 5100); // unchanged, not even new
    run.Cycles(b, "9.99", 5200); // begun on processor 0
    run.Cycles(b, "7.20", 5300);
    JudgeTick(&run.judge, 10000);
    EXPECT_EQ((Rows{"figures 0 700 -1 samples 1", "figures 1 720 -1 samples 1"}),
              run.Take("figures"));
    run.rows.clear();
    FinishJudge(&run.judge, 10000, nullptr);
    EXPECT_EQ("verdict -1 -1 -1 PASS: 2 processors ran in turn for 0:00:10, none failed",
              run.rows.back());
}

} // namespace
