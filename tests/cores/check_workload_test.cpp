// Vesko Cores over the check workload: every processor's bursts counted from its title and PASS;
// over a test-only build that makes one result wrong on processor 1, FAIL naming that processor.
#include "companion_test.h"
#include "check/check_burst.h"
#include "check/cpu_features.h"

namespace {

// Start-up, then the wrong build's burst 5 and more on a processor shared with others: a
// bound for a failure, from one burst timed here (tens of milliseconds, seconds emulated).
DWORD CheckBudgetMs() {
    DWORD start = GetTickCount();
    CheckBurst(Avx2FmaAllowed(ReadCpuFeatureBits()) ? avx2Path : sse2Path, 0);
    return 60000 + 20 * (GetTickCount() - start);
}

TEST_F(CoresTest, TheCheckWorkloadPassesAndAWrongResultFailsItsProcessor) {
    budgetMs = CheckBudgetMs();
    StartLogged("--processors 0,1 --every 1 --workload check");
    ASSERT_TRUE(WaitFor([](const Log& rows) {
        return Bursts(rows, "0") >= 3 && Bursts(rows, "1") >= 3;
    })) << "bursts counted from the check workload's title";
    EXPECT_EQ(0u, CloseAndWait()) << "PASS";
    Log rows = Rows();
    EXPECT_HAS("vesko-check.exe", Find(rows, "start", "0"));
    EXPECT_EQ(0u, Count(rows, "error", ""));
    EXPECT_HAS(",verdict,,,\"PASS: 2 processors for ", rows.back());

    DeleteFileA(log.c_str());
    StartLogged("--processors 0,1 --every 1 --workload check --tool \"" + OwnFolder() +
                "vesko-check-wrong.exe\"");
    ASSERT_TRUE(WaitFor([](const Log& rows) {
        return Count(rows, "error", "") && Bursts(rows, "0") >= 3;
    })) << "a wrong result, on processor 1 only";
    EXPECT_EQ(1u, CloseAndWait()) << "FAIL";
    rows = Rows();
    std::string error = Find(rows, "error", "1", "wrong result in burst ");
    EXPECT_HAS("expected 0x", error);
    EXPECT_EQ(0u, Count(rows, "error", "0"));
    EXPECT_HAS(",verdict,,,\"FAIL: 2 processors for ", rows.back());
    EXPECT_HAS("1 failed: processor 1 (core ", rows.back());
    EXPECT_HAS("): wrong result in burst ", rows.back());
    std::string stem = log.substr(0, log.size() - 4);
    for (const char* tool : {"1", "2"}) // the files beside the log
        DeleteFileA((stem + "-errors-" + tool + ".csv").c_str());
}

} // namespace
