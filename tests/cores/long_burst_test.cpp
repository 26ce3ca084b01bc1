// Vesko Cores over the slow tool, whose bursts keep a processor busy for 13 s
// of processor time each, as the real tool's do where x87 special values go
// through microcode: the rules that depend on a burst's length, on any machine.
#include "companion_test.h"

namespace {

// Two busy threads of this process on processor 1, for as long as it lives:
// other programs sharing the processor with a tool, whose bursts take longer.
struct Company {
    Company() {
        for (HANDLE& thread : threads) {
            thread = CreateThread(nullptr, 0, Spin, &stop, CREATE_SUSPENDED, nullptr);
            SetThreadAffinityMask(thread, 2);
            ResumeThread(thread);
        }
    }
    ~Company() {
        InterlockedExchange(&stop, 1);
        WaitForMultipleObjects(2, threads, TRUE, INFINITE);
        for (HANDLE thread : threads)
            CloseHandle(thread);
    }
    static DWORD WINAPI Spin(void* stop) {
        while (!*(volatile LONG*)stop)
            ;
        return 0;
    }
    LONG stop = 0;
    HANDLE threads[2];
};

// A processor shared with two busy threads: its tool's bursts last about 39 s,
// the first longer than the bare 30 s and the next longer than 30 s too, with
// no clock rate needed to know it. Neither is taken for a hang.
TEST_F(CoresTest, LongBurstsOnABusyProcessorAreNotHung) {
    Company company;
    Start("--processors 1 --every 1 --tool \"" + SlowTool() + "\" --log \"" + log + "\"");
    ASSERT_TRUE(WaitFor([](const Log& rows) {
        return Bursts(rows, "1") >= 2 || Count(rows, "hung", "");
    })) << "two bursts of the shared processor";
    Log rows = Rows();
    EXPECT_EQ(0u, Count(rows, "hung", ""));
    int first = 0; // run seconds at the first figures row with a burst
    for (const std::string& row : rows)
        if (!first && Field(row, 3) == "figures" && row.find(" of 0 bursts") == std::string::npos)
            first = std::stoi(Field(row, 1));
    EXPECT_GE(first, 32) << "a first burst longer than 30 s";
    EXPECT_GE(std::stoi(Field(rows.back(), 1)) - first, 31) << "and a second one";
    EXPECT_EQ(3u, CloseAndWait()) << "NOT PROVEN: two bursts";
    EXPECT_EQ(0u, Count(Rows(), "hung", ""));
}

// A turn of --cycle 10 lasts until 3 bursts of 13 s are counted on its
// processor, and a note says so once; closed as the next turn begins, the run
// is not proven, and says which processor is short.
TEST_F(CoresTest, ACycleTurnLastsUntilThreeLongBurstsAreCounted) {
    Start("--processors 0,1 --cycle 10 --every 5 --tool \"" + SlowTool() + "\" --log \"" + log +
          "\"");
    ASSERT_TRUE(WaitFor([](const Log& rows) { return Count(rows, "moved", "1") > 0; }));
    Log rows = Rows();
    std::string note = Find(
        rows, "note", "turns last past their 10 s until 3 bursts are counted: a burst takes 1");
    ASSERT_NE("", note);
    EXPECT_EQ("0", Field(note, 2));
    std::string moved = Find(rows, "moved", "from 0");
    EXPECT_GE(std::stoi(Field(moved, 1)), 39) << "3 bursts of 13 s, not 10 s";
    EXPECT_LT(std::find(rows.begin(), rows.end(), note),
              std::find(rows.begin(), rows.end(), moved));
    EXPECT_EQ(3u, CloseAndWait()) << "NOT PROVEN";
    rows = Rows();
    EXPECT_EQ(1u, Count(rows, "note", ""));
    EXPECT_HAS(",verdict,,,\"NOT PROVEN: processor 1 finished 0 bursts in 0:00:", rows.back());
    EXPECT_HAS(",0,end,", Find(rows, "end", "ok; 3 bursts"));
}

// A run shorter than 3 bursts ends NOT PROVEN, exit code 3, with the log
// named by the time in the current folder; over one processor the tool stays put.
TEST_F(CoresTest, ARunTooShortForThreeBurstsIsNotProven) {
    Start("--processors 1 --cycle 10 --duration 10 --tool \"" + SlowTool() + "\"");
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(run.hProcess, budgetMs));
    EXPECT_EQ(3u, ExitCode());
    Log rows = Rows(".out"); // as printed
    EXPECT_EQ(0u, Count(rows, "moved", ""));
    EXPECT_HAS(",verdict,,,\"NOT PROVEN: processor 1 finished ", rows.end()[-2]);
    EXPECT_HAS(" under the tool (3 needed); 1 processor in turn for 0:00:1", rows.end()[-2]);
    EXPECT_HAS("\\vesko-cores-2", rows.back());
    DeleteFileA(rows.back().substr(5).c_str());
}

} // namespace
