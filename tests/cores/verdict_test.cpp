#include "judge_run.h"

#include <gtest/gtest.h>

namespace {

// PASS: all proven; NOT PROVEN names those short of 3 bursts; any failure is FAIL. Exit codes too.
TEST(Verdict, EvidenceOnEveryProcessorOrNoPass) {
    struct Case {
        uint64_t processors;
        bool cycling;
        Verdict verdict;
        const char *bursts, *text; // bursts each; -1: not started; -2: crashed after 3 bursts
    } cases[] = {
        {0x3, false, passVerdict, "42 3",
         "PASS: 2 processors for 0:01:00, each at least 3 bursts and 0:00:50 under the tool, none "
         "failed"},
        {0x1, true, passVerdict, "3",
         "PASS: 1 processor in turn for 0:01:00, each at least 3 bursts and 0:01:00 under the "
         "tool, none failed"},
        {0x3, false, notProvenVerdict, "3 2",
         "NOT PROVEN: processor 1 finished 2 bursts in 0:00:50 under the tool (3 needed); 2 "
         "processors for 0:01:00, none failed"},
        {0x1F, true, notProvenVerdict, "1 -1 0 3 -1",
         "NOT PROVEN: processor 0 finished 1 burst in 0:01:00 under the tool, processor 1 finished "
         "0 bursts in 0:00:00 under the tool, processor 2 finished 0 bursts in 0:00:50 under the "
         "tool, 1 more in the end rows (3 needed); 5 processors in turn for 0:01:00, none failed"},
        {0x7, false, notProvenVerdict, "0 1 2", // three listed: none more
         "NOT PROVEN: processor 0 finished 0 bursts in 0:01:00 under the tool, processor 1 "
         "finished "
         "1 burst in 0:00:50 under the tool, processor 2 finished 2 bursts in 0:00:50 under the "
         "tool (3 needed); 3 processors for 0:01:00, none failed"},
        {0x7, false, failVerdict, "-2 1 5",
         "FAIL: 3 processors for 0:01:00, 1 failed: processor 0 stopped, exit code 0xC0000005 "
         "(access violation) at 0:00:20; processor 1 finished 1 burst in 0:00:50 under the tool (3 "
         "needed)"},
        {0x0, false, notProvenVerdict, "", "NOT PROVEN: no processor was tested"},
        {0x3, false, failVerdict, "-2 -2",
         "FAIL: 2 processors for 0:01:00, 2 failed: processor 0 stopped, exit code 0xC0000005 "
         "(access violation) at 0:00:20; processor 1 stopped, exit code 0xC0000005 (access "
         "violation) at 0:00:20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        JudgeRun run(c.processors, c.cycling);
        char* next = (char*)c.bursts;
        for (int i = 0; i < run.judge.count; ++i) {
            int bursts = int(strtol(next, &next, 10));
            if (bursts == -1)
                continue;
            ProcessorWatch* watch = run.Start(i, i ? 10000 : 0, bursts < 0 ? 3 : bursts);
            if (bursts == -2)
                TellExit(&run.judge, watch, 0xC0000005, 20000);
        }
        char text[600];
        EXPECT_EQ(c.verdict, VerdictText(run.judge, 60000, nullptr, text, sizeof text));
        EXPECT_STREQ(c.text, text);
        VerdictText(run.judge, 60000, nullptr, text, 48); // cut short, nothing past it
        if (strlen(c.text) < 48)
            continue;
        EXPECT_EQ(std::string(c.text, 47), text);
        EXPECT_EQ(std::string(c.text).substr(48, 10), std::string(text + 48, 10));
    }
}

TEST(Verdict, NamesAFewOfEachListAndCountsTheRest) {
    JudgeRun run(0x1FF); // processor 8 never starts
    for (int p = 0; p < 8; ++p) {
        ProcessorWatch* watch = run.Start(p, 0, 3);
        TellExit(&run.judge, watch, p < 4 ? 0 : p == 4 ? 1 : 0xC0000005, 5000);
        watch->warnings.slower.count = p + 1; // as if written along the way
        watch->warnings.notLoaded.count = p == 1;
    }
    run.judge.band.slowing.count = 2;
    char text[1024];
    EXPECT_EQ(failVerdict, VerdictText(run.judge, 6000, "the log stopped", text, sizeof text));
    EXPECT_EQ("FAIL: 9 processors for 0:00:06, 4 failed: processor 4 stopped, exit code 0x00000001 "
              "at 0:00:05; processor 5 stopped, exit code 0xC0000005 (access violation) at "
              "0:00:05; processor 6 stopped, exit code 0xC0000005 (access violation) at 0:00:05; 1 "
              "more in the end rows; processor 8 finished 0 bursts in 0:00:00 under the tool (3 "
              "needed); processor 0 closed by hand at 0:00:05; processor 1 closed by hand at "
              "0:00:05; processor 2 closed by hand at 0:00:05; 1 more closed by hand; warnings: "
              "slowing down (2), processor 0 slower than the rest (1), processor 1 slower than the "
              "rest (2), processor 1 not loaded (1), processor 2 slower than the rest (3), 5 more "
              "processors with warnings; the log stopped",
              std::string(text));
    for (int p = 3; p < 8; ++p) // exactly as many with warnings as are named
        run.judge.watches[p].warnings.slower.count = 0;
    VerdictText(run.judge, 6000, nullptr, text, sizeof text);
    EXPECT_EQ(nullptr, strstr(text, " more processors")) << text;
}

} // namespace
