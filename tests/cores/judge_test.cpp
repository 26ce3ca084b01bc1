#include "judge_run.h"
#include "cores/core_turns.h"

#include <gtest/gtest.h>

namespace {

TEST(Judge, FiguresEachIntervalAndTheRunMedianAtTheEnd) {
    JudgeRun run(0x7); // processors 0 and 2; 1 is not tested
    EXPECT_EQ(nullptr, FindWatch(&run.judge, 3));
    ProcessorWatch *a = run.Start(0), *b = run.Start(2);
    EXPECT_EQ((Rows{"start 0 -1 -1 vesko.exe", "start 2 -1 -1 vesko.exe"}), run.Take("start"));
    TellTitle(&run.judge, a, "Vesko", 100);                         // no burst yet
    const char* ticks[] = {"7.43", "7.43", "7.61", "7.40", "7.52"}; // 7.43 twice: one burst
    for (int i = 0; i < 5; ++i)
        run.Cycles(a, ticks[i], 1000 + 100 * i);
    run.Cycles(a, "0.00", 1450); // a burst, no figure
    TellTitle(&run.judge, a, "Vesko 00:00:02 at 2096.3 MHz", 2000);
    TellTitle(&run.judge, a, "Vesko is not a status line", 2100);
    run.Cycles(b, "7.45", 1500);
    JudgeTick(&run.judge, 9999);
    EXPECT_TRUE(run.rows.empty());
    EXPECT_EQ((Rows{"figures 0 743 20963 samples 4 of 6 bursts",
                    "figures 2 745 -1 samples 1 of 1 burst"}),
              run.Take("figures", 10050));
    JudgeTick(&run.judge, 19999);
    EXPECT_EQ(
        (Rows{"figures 0 -1 20963 samples 0 of 0 bursts", "figures 2 -1 -1 samples 0 of 0 bursts"}),
        run.Take("figures", 20000));
    EXPECT_EQ(0u, a->interval.Median()) << "none";
    run.Cycles(a, "7.80", 21000);
    run.Cycles(a, "7.90", 22000);
    EXPECT_EQ(3, FinishJudge(&run.judge, 25000, nullptr)) << "not proven";
    EXPECT_EQ((Rows{"end 0 752 20963 ok; 8 bursts in 0:00:25 under the tool",
                    "end 1 -1 -1 not tested; 0 bursts in 0:00:00 under the tool",
                    "end 2 745 -1 not proven; 1 burst in 0:00:25 under the tool"}),
              run.Take("end"));
    EXPECT_EQ(1u, run.rows.size());
}

// Hung after 30 s silent on an idle processor, else 10 of the longest bursts; 2 min before those.
TEST(Judge, HungOnlyOnEvidence) {
    JudgeRun run(0x1F);
    ProcessorWatch* w[5] = {run.Start(0), run.Start(1), run.Start(2), run.Start(3), run.Start(4)};
    for (ProcessorWatch* watch : w)
        TellLoad(watch, 0, 0);
    run.Burst(w[1], "7.00", 500);
    run.Burst(w[3], "7.00", 600);
    EXPECT_EQ(kFirstBurstHungMs, HungAfterMs(run.judge, *w[3])) << "no burst's length yet";
    run.Burst(w[1], "7.00", 1000); // 0.5 s apart: a length
    // 0 busy in its first burst; 2 idle: stopped before its first burst.
    for (int i = 0; i < 4; ++i) {
        TellLoad(w[i], (i == 2 ? 4 : 31) * kSecond, 31 * kSecond);
        EXPECT_EQ(i ? kHungMinimumMs : kFirstBurstHungMs, HungAfterMs(run.judge, *w[i])) << i;
    }
    TellLoad(w[4], 20 * kSecond, 20 * kSecond); // busy, then heard from, then idle
    TellTitle(&run.judge, w[4], "Vesko", 20000);
    TellLoad(w[4], 20 * kSecond, 51 * kSecond);
    EXPECT_TRUE(run.Take("hung", 30000).empty()) << "30 s exactly is not longer than 30 s";
    EXPECT_EQ((Rows{"hung 1 -1 -1 no new title for 30 s",
                    "hung 2 -1 -1 no new title for 31 s, its processor idle (busy 0.13)",
                    "hung 3 -1 -1 no new title for 30 s"}),
              run.Take("hung", 31001));
    EXPECT_EQ((Rows{"hung 4 -1 -1 no new title for 30 s, its processor idle (busy 0.00)"}),
              run.Take("hung", 50001))
        << "idle since it was last heard from";
    EXPECT_EQ(hungState, w[1]->state);
    for (uint64_t at = 32000; at <= 112000; at += 10000) // a silence is no burst's length
        run.Burst(w[1], "7.00", at);
    EXPECT_EQ(runningState, w[1]->state) << "alive again, the failure stays";
    EXPECT_EQ(100000u, HungAfterMs(run.judge, *w[1])) << "10 bursts of 10 s";
    EXPECT_TRUE(run.Take("hung", 120000).empty());
    EXPECT_EQ((Rows{"hung 0 -1 -1 no new title for 120 s"}), run.Take("hung", 120001));
    // 3,000 ticks at 2,000 MHz: 15 s bursts, so 150 s of silence, before a first burst too.
    TellTitle(&run.judge, w[3], "Vesko 00:00:02 at 2000.0 MHz", 121000);
    run.Cycles(w[3], "3000.00", 122000);
    EXPECT_EQ(150000u, HungAfterMs(run.judge, *w[3]));
    TellStarted(&run.judge, w[0], 122000, "vesko.exe"); // a fresh tool, no burst yet
    EXPECT_EQ(150000u, HungAfterMs(run.judge, *w[0]));
    TellExit(&run.judge, w[1], 0, 122000); // closed by hand: the first failure stays
    EXPECT_TRUE(run.Take("hung", 272000).empty());
    EXPECT_EQ((Rows{"hung 3 -1 -1 no new title for 150 s"}), run.Take("hung", 272001));
    EXPECT_EQ(1, FinishJudge(&run.judge, 600000, nullptr));
    Rows ends = run.Take("end");
    EXPECT_EQ("end 1 700 -1 hung, no new title for 30 s at 0:00:31; 11 bursts in 0:02:02 under the "
              "tool",
              ends[1]);
    EXPECT_EQ(0u, ends[3].find("end 3 700 20000 hung, no new title for 30 s at 0:00:31;"))
        << "hung twice: the first failure stays";
}

TEST(Judge, AnExitCodeStopsAProcessorAndZeroMeansClosedByHand) {
    JudgeRun run(0x7);
    ProcessorWatch *a = run.Start(0), *b = run.Start(1), *c = FindWatch(&run.judge, 2);
    TellStarted(&run.judge, c, 0, "vesko.exe"); // its window not found yet
    for (const char* ticks : {"7.00", "7.10", "7.20"})
        run.Cycles(b, ticks, 1000);
    TellExit(&run.judge, a, 0xC000001D, 61000);
    TellExit(&run.judge, b, 0, 62000);
    EXPECT_EQ((Rows{"stopped 0 -1 -1 exit code 0xC000001D (illegal instruction)"}),
              run.Take("stopped"));
    EXPECT_EQ((Rows{"closed 1 -1 -1 window closed by hand"}), run.Take("closed"));
    run.Cycles(a, "9.00", 62000); // a stopped tool's title is no news
    for (const char* ticks : {"7.00", "7.01", "7.02"})
        run.Cycles(c, ticks, 361000); // its first figures after the first 5 minutes
    EXPECT_TRUE(run.Take("hung", 600000).empty()) << "only running tools can hang";
    EXPECT_TRUE(run.Take("warning").empty()) << "fewer than 5 samples in the first 5 minutes";
    run.rows.clear();
    EXPECT_EQ(1, FinishJudge(&run.judge, 600000, "the log stopped"));
    EXPECT_EQ(
        (Rows{"end 0 -1 -1 stopped, exit code 0xC000001D (illegal instruction) at 0:01:01; 0 "
              "bursts in 0:01:01 under the tool",
              "end 1 710 -1 ok; 3 bursts in 0:01:02 under the tool; closed by hand at 0:01:02",
              "end 2 701 -1 ok; 3 bursts in 0:10:00 under the tool",
              "verdict -1 -1 -1 FAIL: 3 processors for 0:10:00, 1 failed: processor 0 "
              "stopped, exit code 0xC000001D (illegal instruction) at 0:01:01; the others "
              "each at least 3 bursts and 0:01:02 under the tool; processor 1 closed by hand at "
              "0:01:02; the log stopped"}),
        run.rows);
}

// Each one's median of its latest 5 cycles lines (an interval's all, if more) against the others'.
TEST(Judge, ASlowerProcessorIsWarnedOverFiveSamplesThenEveryTenMinutes) {
    JudgeRun run(0x1F);
    ProcessorWatch* w[4] = {run.Start(0), run.Start(1), run.Start(2), run.Start(3)};
    const char* ticks[4] = {"7.00", "7.20", "7.92", "8.00"}; // 7.92 is exactly 10 % above 7.20
    ProcessorWatch* late = FindWatch(&run.judge, 4);
    uint64_t now = 0;
    for (int interval = 0; interval < 66; ++interval) {
        for (int i = 0; i < 4; ++i)
            run.Burst(w[i], ticks[i], now + 200);
        if (interval == 5) // started after the others have figures
            run.Start(4, now + 5000);
        for (int i = 0; interval >= 5 && i < 5; ++i) // its start-up interval is not judged
            run.Burst(late, interval == 5 ? "20.00" : "7.20", now + 5100 + i);
        JudgeTick(&run.judge, now += 10000);
        EXPECT_TRUE(interval != 3 || run.Take("warning").empty()) << "silent until each side has 5";
    }
    EXPECT_EQ(Rows(2, "warning 3 800 -1 slower than the rest: 8.00 ticks against a median of 7.20 "
                      "(+11.1 %)"),
              run.Take("warning"))
        << "at 50 s and 10 minutes later";
    EXPECT_EQ(2, w[3]->warnings.slower.count);
    // Stopped and closed processors leave the reference.
    for (ProcessorWatch* gone : {w[1], w[2], late})
        TellExit(&run.judge, gone, gone == w[2] ? 0xC0000005 : 0, now);
    for (int i = 0; i < 3; ++i) { // back in the band
        run.Burst(w[0], "7.00", now + 100);
        run.Burst(w[3], "7.10", now + 100);
        JudgeTick(&run.judge, now += 10000);
    }
    // Slower again: the same episode within 10 minutes of its row, a new one from then on.
    const uint64_t written = w[3]->warnings.slower.writtenMs;
    Rows rows;
    while (rows.empty() && now < written + 700000) {
        for (const char* slow : {"9.00", "9.00", "9.00", "9.00", "6.00", "6.00", "6.10"})
            run.Burst(w[3], slow, now + 100); // an interval of 7: its own median, not the latest 5
        run.Burst(w[0], "7.00", now + 100);
        rows = run.Take("warning", now += 10000);
    }
    EXPECT_EQ((Rows{"warning 3 900 -1 slower than the rest: 9.00 ticks against a median of 7.00 "
                    "(+28.6 %)"}),
              rows);
    EXPECT_EQ(written + kWarningRepeatMs, now);
}

// Bursts of 100 ms on processors 0 and 1 for `seconds`, 1's ticks from `ticksOf` its run time
// (ms); the slower-than-the-rest rows.
Rows SlowerRows(uint32_t every, int seconds, const char* (*ticksOf)(uint64_t)) {
    JudgeRun run(0x3, false, every);
    ProcessorWatch *a = run.Start(0), *b = run.Start(1);
    for (uint64_t now = 100; now <= uint64_t(seconds) * 1000; now += 100) {
        run.Burst(a, "7.00", now);
        run.Burst(b, ticksOf(now), now);
        JudgeTick(&run.judge, now);
    }
    return run.Take("warning");
}

// The figures compared span 10 s whatever --every is, and a warning is a row an episode.
TEST(Judge, SlowerThanTheRestMeansTheSameAtAnyEvery) {
    auto noisy = [](uint64_t ms) { return ms % 10000 < 2000 ? "8.40" : "7.00"; }; // 2 s in 10
    auto slower = [](uint64_t) { return "8.40"; };
    auto flapping = [](uint64_t ms) { return ms % 20000 < 10000 ? "8.40" : "7.00"; };
    for (uint32_t every : {1u, 2u, 10u}) {
        EXPECT_EQ(0u, SlowerRows(every, 120, noisy).size()) << every;
        Rows rows = SlowerRows(every, 609, slower);
        ASSERT_EQ(1u, rows.size()) << every;
        EXPECT_EQ("warning 1 840 -1 slower than the rest: 8.40 ticks against a median of 7.00 "
                  "(+20.0 %)",
                  rows[0]);
        EXPECT_EQ(2u, SlowerRows(every, 611, slower).size()) << every << ": 10 minutes after";
        EXPECT_EQ(1u, SlowerRows(every, 300, flapping).size()) << every;
    }
}

// The first processor is judged as any other; the machine's sleep is a note for the whole run.
TEST(Judge, TheFirstProcessorCanBeSlowerAndSleepIsNoted) {
    JudgeRun run(0x7);
    ProcessorWatch* w[3] = {run.Start(0), run.Start(1), run.Start(2)};
    for (uint64_t now = 0; now < 60000; now += 10000) {
        for (int i = 0; i < 3; ++i)
            for (int k = 0; k < 5; ++k)
                run.Burst(w[i], i ? "7.00" : "8.00", now + 100 + uint64_t(k));
        JudgeTick(&run.judge, now + 10000);
    }
    EXPECT_EQ(1u, run.Take("warning").size());
    EXPECT_EQ(1, w[0]->warnings.slower.count);
    NoteSleep(run.judge, 61000, 3600000);
    EXPECT_EQ((Rows{"note -1 -1 -1 the machine slept for 1:00:00: left out of the run's time, "
                    "every limit and burst length"}),
              run.Take("note"));
}

// Like with like: each only against its own efficiency class; a class of one is not compared.
TEST(Judge, ProcessorsAreComparedWithinTheirEfficiencyClass) {
    JudgeRun run(0x1F);
    Topology hybrid = {};
    for (int p = 0; p < 5; ++p) // 0, 1 the fastest class; 2, 3 the next; 4 alone
        hybrid.processors[p] = {true, p + 1, 1, 1, 0, 0, p < 2 ? 2 : p < 4 ? 1 : 0};
    PlaceWatches(&run.judge, hybrid);
    WriteTopologyRows(run.judge, nullptr, 0); // where the system does not tell: one note, no cores
    EXPECT_EQ((Rows{"note -1 -1 -1 the system did not tell where the processors sit: no cores"}),
              run.Take("note"));
    ProcessorWatch* w[5] = {run.Start(0), run.Start(1), run.Start(2), run.Start(3), run.Start(4)};
    const char* ticks[5] = {"7.00", "7.10", "10.00", "11.50", "30.00"};
    for (uint64_t now = 0; now < 100000; now += 10000) {
        for (int i = 0; i < 5; ++i)
            for (int k = 0; k < 5; ++k)
                run.Burst(w[i], ticks[i], now + 100 + uint64_t(k));
        JudgeTick(&run.judge, now + 10000);
    }
    EXPECT_EQ(Rows(1, "warning 3 1150 -1 slower than the rest: 11.50 ticks against a median of "
                      "10.00 (+15.0 %)"),
              run.Take("warning"));
    char verdict[400];
    VerdictText(run.judge, 100000, nullptr, verdict, sizeof verdict);
    EXPECT_PRED_FORMAT2(testing::IsSubstring,
                        "; warnings: processor 3 (core 4) slower than the rest (1)", verdict);
}

// From the first window's end, the latest window against the first: 5 min, or 20 bursts if longer.
TEST(Judge, TheWholeBandSlowingDownIsAWarningForTheRun) {
    struct Case {
        const char *cool, *hot, *clock;
        uint64_t burstMs, sampleMs, firstAt; // a cycles line with a figure every sampleMs
        const char* warning;
        uint64_t hotFrom, hotTo, endAt; // minutes
        size_t rows;                    // every 10 minutes while it holds
    } cases[] = {
        {"7.00", "8.00", nullptr, 1000, 1000, 10 * 60000,
         "warning -1 800 -1 slowing down: median 8.00 ticks in the last 5 minutes against 7.00 "
         "in the first 5 (+14.3 %)",
         5, 99, 30, 3},
        // 6,000 ticks at 2,000 MHz: 30 s bursts, a first window of 10 min; at 7,000 35 s: 12 min.
        {"6000.00", "7000.00", "Vesko 00:00:02 at 2000.0 MHz", 30000, 30000, 22 * 60000,
         "warning -1 700000 -1 slowing down: median 7000.00 ticks in the last 12 minutes "
         "against 6000.00 in the first 10 (+16.7 %)",
         15, 99, 30, 1},
        // Under 5 samples in each window: no warning.
        {"7.00", "8.00", nullptr, 1000, 150000, 0, "", 5, 99, 30, 0},
        // Cool again after an hour, one processor alone: the ring's minutes of an hour ago are
        // gone.
        {"7.00", "8.00", nullptr, 1000, 1000, 10 * 60000,
         "warning -1 800 -1 slowing down: median 8.00 ticks in the last 5 minutes against 7.00 "
         "in the first 5 (+14.3 %)",
         5, 65, 80, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cool);
        JudgeRun run(0x3);
        ProcessorWatch* w[2] = {run.Start(0), run.Start(1)};
        if (c.clock)
            TellTitle(&run.judge, w[0], c.clock, 500);
        uint64_t firstAt = 0;
        for (uint64_t now = 1000; now <= c.endAt * 60000; now += 1000) {
            bool hot = now > c.hotFrom * 60000 && now <= c.hotTo * 60000;
            const char* ticks = now % c.sampleMs ? "0.00" : hot ? c.hot : c.cool;
            bool alone = now > c.hotTo * 60000; // so that an hour-old minute would outweigh it
            if (now % c.burstMs == 0)
                for (ProcessorWatch* watch : w)
                    if (!alone || watch == w[0])
                        run.Burst(watch, ticks, now);
            JudgeTick(&run.judge, now);
            firstAt = firstAt ? firstAt : run.judge.band.slowing.count ? now : 0;
        }
        EXPECT_EQ(c.firstAt, firstAt);
        Rows warnings = run.Take("warning");
        EXPECT_EQ(c.firstAt ? c.warning : "", warnings.empty() ? "" : warnings[0]);
        EXPECT_EQ(c.rows, warnings.size());
    }
}

TEST(Judge, ACycledToolsFirstTitleAfterAMoveIsNotCounted) {
    JudgeRun run(0x3, true);
    ProcessorWatch *a = run.Start(0), *b = FindWatch(&run.judge, 1);
    run.Cycles(a, "7.00", 1000);
    TellTitle(&run.judge, a, "Vesko 00:00:02 at 2096.3 MHz", 2000);
    TellMove(&run.judge, a, b, 5000);
    EXPECT_EQ((Rows{"moved 1 -1 -1 from processor 0"}), run.Take("moved"));
    EXPECT_EQ(std::make_pair(waitingState, runningState), std::make_pair(a->state, b->state));
    EXPECT_FALSE(b->sawBurst) << "its first burst here may be slower: the first-burst allowance";
    TellTitle(&run.judge, b, "Vesko 00:00:02 at 2096.3 MHz", 5100); // unchanged: no news
    run.Cycles(b, "9.99", 5200);                                    // begun on processor 0
    run.Cycles(b, "7.20", 5300);
    EXPECT_EQ((Rows{"figures 0 700 20963 samples 1 of 2 bursts",
                    "figures 1 720 20963 samples 1 of 1 burst"}),
              run.Take("figures", 10000));
    EXPECT_EQ(5000u, UnderToolMs(*a, 10000));
    EXPECT_EQ(5000u, UnderToolMs(*b, 10000)) << "from the move";
    TellMove(&run.judge, b, a, 12000);
    EXPECT_EQ(0, a->turnBursts) << "a new turn";
    EXPECT_EQ(5000u, UnderToolMs(*a, 12000)) << "back on it: counting again from the move";
    EXPECT_EQ(7000u, UnderToolMs(*a, 14000));
    JudgeTick(&run.judge, 200000); // silent since: hung
    TellToolEnded(a, 200000);      // and replaced: stopped for good, no longer under the tool
    EXPECT_EQ(stoppedState, a->state);
    EXPECT_EQ(193000u, UnderToolMs(*a, 300000));
    run.Start(1, 200000);
    TellToolEnded(b, 201000); // its core's turn ended early as a sibling failed
    JudgeTick(&run.judge, 900000);
    EXPECT_EQ(waitingState, b->state) << "waits for its next turn, not hung";
}

// A tool that fails before its first counted burst after a move: the core it came from is named.
TEST(Judge, AFailureAtATurnsEdgeNamesTheCoreTheToolCameFrom) {
    JudgeRun run(0x7, true);
    ProcessorWatch *a = run.Start(0, 0, 3), *b = FindWatch(&run.judge, 1);
    a->core = 4;
    TellMove(&run.judge, a, b, 5000);
    run.Cycles(b, "7.00", 6000); // begun before the move: not counted
    TellExit(&run.judge, b, 0xC0000005, 7000);
    EXPECT_EQ((Rows{"stopped 1 -1 -1 exit code 0xC0000005 (access violation), in its first burst "
                    "after moving from processor 0 (core 4)"}),
              run.Take("stopped"));
    EXPECT_EQ(0, b->failure.movedFrom);
    ProcessorWatch* c = FindWatch(&run.judge, 2);
    TellMove(&run.judge, a, c, 8000);
    run.Burst(c, "7.00", 9000);
    run.Burst(c, "7.00", 10000); // counted: its own now, and the log says so
    EXPECT_EQ((Rows{"settled 2 -1 -1 its first counted burst here since moving from processor 0 "
                    "(core 4)"}),
              run.Take("settled"));
    JudgeTick(&run.judge, 400000);
    EXPECT_EQ((Rows{"hung 2 -1 -1 no new title for 390 s"}), run.Take("hung"));
    EXPECT_EQ(-1, c->failure.movedFrom);
}

// The supervisor's question at each look: the stretched turn's note, then whether it may end.
bool TurnMayEnd(CoreCycle* cycle, const Judge& judge, const ProcessorWatch& watch, uint64_t now) {
    NoteStretchedTurn(cycle, judge, watch, now);
    return TurnDoneOn(*cycle, watch, now);
}

// A turn lasts its time and until 3 bursts are counted; the first stretched turn is noted once.
TEST(Judge, TurnsLastUntilThreeBurstsAreCounted) {
    JudgeRun run(0x3, true);
    ProcessorWatch *a = run.Start(0), *b = FindWatch(&run.judge, 1);
    CoreCycle cycle = {};
    BeginTurn(&cycle, 0, 0, 10000);
    EXPECT_FALSE(TurnMayEnd(&cycle, run.judge, *a, 9999));
    run.Burst(a, "3000.00", 9000);
    EXPECT_FALSE(TurnMayEnd(&cycle, run.judge, *a, 10000)) << "1 burst";
    EXPECT_TRUE(run.Take("note").empty()) << "no burst length yet";
    run.Burst(a, "3000.00", 24100);
    EXPECT_FALSE(TurnMayEnd(&cycle, run.judge, *a, 30000)) << "2 bursts";
    EXPECT_EQ((Rows{"note 0 -1 -1 turns last past their 10 s until 3 bursts are counted: a burst "
                    "takes 15.1 s here"}),
              run.Take("note"));
    run.Burst(a, "3000.00", 39100);
    EXPECT_TRUE(TurnMayEnd(&cycle, run.judge, *a, 39200));
    TellMove(&run.judge, a, b, 39200);
    BeginTurn(&cycle, 1, 39200, 10000);
    for (uint64_t at : {54000, 69000, 84000}) // the first is not counted
        run.Burst(b, "3000.00", at);
    EXPECT_FALSE(TurnMayEnd(&cycle, run.judge, *b, 84000));
    cycle.dueMs = 99000;
    run.Burst(b, "3000.00", 99000);
    EXPECT_TRUE(TurnMayEnd(&cycle, run.judge, *b, 99000)) << "its time up as its third burst ends";
    CoreCycle exact = {}; // a turn whose third burst ends as its time is up: not stretched
    BeginTurn(&exact, 1, 39200, 99000 - 39200);
    NoteStretchedTurn(&exact, run.judge, *b, 99000);
    EXPECT_FALSE(exact.stretched);
    NoteLastTurn(&cycle, run.judge, 99000);
    FinishJudge(&run.judge, 99000, nullptr);
    EXPECT_TRUE(run.Take("note").empty()) << "once";
    EXPECT_EQ(3, b->bursts);
    PlanCycle(&cycle, run.judge); // turns owed again: none, then the one owed until it begins
    EXPECT_EQ(-1, cycle.recheck);
    cycle.recheck = 1;
    BeginTurn(&cycle, 0, 100000, 10000);
    EXPECT_FALSE(cycle.rechecking);
    BeginTurn(&cycle, 1, 110000, 10000);
    EXPECT_EQ(std::make_pair(true, -1), std::make_pair(cycle.rechecking, cycle.recheck));
    JudgeRun shorter(0x3, true); // ended in its first turn, before a burst's length is known
    ProcessorWatch* c = shorter.Start(0, 2000);
    CoreCycle first = {};
    BeginTurn(&first, 0, 2000, 10000);
    shorter.Burst(c, "3000.00", 14000);
    EXPECT_FALSE(TurnMayEnd(&first, shorter.judge, *c, 15000));
    NoteLastTurn(&first, shorter.judge, 20000);
    EXPECT_EQ(3, FinishJudge(&shorter.judge, 20000, nullptr));
    EXPECT_EQ((Rows{"note 0 -1 -1 turns last past their 10 s until 3 bursts are counted: 1 in "
                    "0:00:18, no burst length known"}),
              shorter.Take("note"));
}

// Each interval's busy share; a warning when a running tool's processor idles 3 intervals in a row.
TEST(Judge, BusySharesAndAToolThatDoesNotLoadItsProcessor) {
    JudgeRun run(0x3);
    ProcessorWatch *a = run.Start(0), *b = run.Start(1);
    uint64_t busyA = 0, busyB = 0;
    const int32_t shareB[] = {490, 100, 495, 0, 0, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0}; // per mille
    EXPECT_EQ(-1, a->busyHundredths) << "none measured yet";
    TellLoad(a, 0, 0);
    TellLoad(b, 0, 0);
    for (int interval = 1; interval <= 15; ++interval) {
        TellLoad(a, busyA += 10 * kSecond, uint64_t(interval) * 10 * kSecond);
        busyB += uint64_t(shareB[interval - 1]) * kSecond / 100;
        if (interval == 14) // unsound figures (the reader gives 0): no base for the next share
            TellLoad(b, 0, 0);
        else
            TellLoad(b, busyB, uint64_t(interval) * 10 * kSecond);
        run.Cycles(a, interval % 2 ? "7.00" : "7.01", interval * 10000 - 100);
        run.Cycles(b, interval % 2 ? "7.00" : "7.01", interval * 10000 - 100);
        JudgeTick(&run.judge, interval * 10000);
    }
    Rows figures = run.Take("figures");
    EXPECT_EQ("figures 0 700 -1 samples 1 of 1 burst 100", figures[0]);
    EXPECT_EQ("figures 1 700 -1 samples 1 of 1 burst 49", figures[1]);
    EXPECT_EQ("figures 1 701 -1 samples 1 of 1 burst", figures[27]) << "unknown";
    EXPECT_EQ("figures 1 700 -1 samples 1 of 1 burst 0", figures[29]) << "not since boot";
    EXPECT_EQ("figures 1 701 -1 samples 1 of 1 burst 10", figures[3]);
    EXPECT_EQ((Rows{"warning 1 -1 -1 not loaded: busy below 0.50 for 3 intervals while its tool "
                    "ran (0.20 in the last) 20"}),
              run.Take("warning"))
        << "two idle, one at 0.495 (0.50 rounded: not idle), then the third idle one in a row";
    EXPECT_EQ(1, b->warnings.notLoaded.count) << "not again within 10 minutes";
    char verdict[300];
    VerdictText(run.judge, 150000, nullptr, verdict, sizeof verdict);
    EXPECT_NE(nullptr, strstr(verdict, "; warnings: processor 1 not loaded (1)")) << verdict;
}

} // namespace
