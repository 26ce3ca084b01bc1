// The judge over the check workload's titles: bursts from its counts, a wrong result a
// failure, figures in milliseconds a burst.
#include "judge_run.h"
#include "check/check_title.h"

#include <gtest/gtest.h>

namespace {

void Title(JudgeRun* run, ProcessorWatch* watch, uint64_t bursts, uint64_t errors,
           uint64_t errorBurst, uint64_t now) {
    char text[160];
    ASSERT_TRUE(
        FormatCheckTitle({now / 1000, bursts, errors, errorBurst, avx2Path}, text, sizeof text));
    TellTitle(&run->judge, watch, text, now);
}

TEST(CheckJudge, BurstsComeFromTheCountsAndAWrongResultFailsItsProcessorWhichRunsOn) {
    JudgeRun run(0x3);
    ProcessorWatch *a = run.Start(0), *b = run.Start(1);
    Title(&run, a, 3, 0, 0, 1000);
    Title(&run, a, 10, 0, 0, 2000);
    TellStarted(&run.judge, a, 2500, "vesko-check.exe"); // a fresh process counts from 0
    Title(&run, a, 2, 0, 0, 3000);
    EXPECT_EQ(12, a->bursts);
    EXPECT_FALSE(WrongResultUntold(*a));

    Title(&run, b, 6, 1, 5, 1000);
    ASSERT_TRUE(WrongResultUntold(*b));
    const CheckResult wrong = {false, integerPhase, 5, 1, 3};
    TellWrongResult(&run.judge, b, &wrong, 1000);
    EXPECT_FALSE(WrongResultUntold(*b));
    EXPECT_EQ(runningState, b->state) << "it runs on";
    Title(&run, b, 2000, 3, 1234, 4000);
    TellWrongResult(&run.judge, b, &wrong, 4000); // the file's latest is of another burst
    EXPECT_EQ((Rows{"error 1 -1 -1 wrong result in burst 5 (integer: expected 0x0000000000000001, "
                    "got 0x0000000000000003)",
                    "error 1 -1 -1 2 wrong results, the latest in burst 1,234"}),
              run.Take("error"));
    EXPECT_EQ(2000, b->bursts) << "counted on after the error";
    EXPECT_EQ(1, FinishJudge(&run.judge, 5000, nullptr));
    EXPECT_NE(std::string::npos,
              run.Take("verdict")[0].find("1 failed: processor 1: wrong result in burst 5 "
                                          "(integer: expected 0x0000000000000001, got "
                                          "0x0000000000000003) at 0:00:01;"));
}

// A figure a span of 2 s or more between title reads, the first read's bursts left out;
// compared as the tool's ticks are.
TEST(CheckJudge, FiguresAreMillisecondsABurstOverTwoSecondSpans) {
    JudgeRun run(0x3);
    run.judge.checkFigures = true;
    ProcessorWatch *a = run.Start(0), *b = run.Start(1);
    auto feed = [&](uint64_t from, uint64_t to) {
        for (uint64_t now = from; now <= to; now += 500) {
            Title(&run, a, now / 20 + 7, 0, 0, now); // 20 ms a burst
            Title(&run, b, now / 25, 0, 0, now);     // 25 ms
        }
    };
    feed(500, 10000);
    EXPECT_EQ(4u, a->run.total) << "spans end at 2.5, 4.5, 6.5 and 8.5 s: 2 s exactly is one";
    EXPECT_EQ((Rows{"figures 0 2000 -1 samples 4 of 507 bursts",
                    "figures 1 2500 -1 samples 4 of 400 bursts"}),
              run.Take("figures", 10000));
    feed(10500, 20000);
    EXPECT_EQ((Rows{"warning 1 2500 -1 slower than the rest: 25.00 ms a burst against a median "
                    "of 20.00 (+25.0 %)"}),
              run.Take("warning", 20000));
}

} // namespace
