#include "check/check_status.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The title keeps the latest wrong burst while the count goes on; the window tells a
// result the errors file did not take.
TEST(CheckStatus, CountsBurstsAndKeepsTheLatestWrongOne) {
    CheckStatus status = {};
    status.path = avx2Path;
    status.errorsPath = "";
    char text[120], lines[kStatusLineCount][kStatusLineSize];
    StatusLines(status, lines);
    const char* fresh[kStatusLineCount] = {
        "Path: AVX2, 256-bit fused multiply-add", "Bursts: 0 finished, 0 with a wrong result",
        "Latest wrong: none", "Errors file: none (--errors FILE keeps them)"};
    for (int i = 0; i < kStatusLineCount; ++i)
        EXPECT_STREQ(fresh[i], lines[i]);
    status.errorsPath = "C:\\errors.txt";
    const CheckResult ok = {true, floatPhase, 0, 0, 0}, wrong = {false, memoryPhase, 1, 0x10, 0x11};
    CountBurst(&status, ok, 0, 0);
    CountBurst(&status, wrong, 2, 0);
    CountBurst(&status, ok, 3, 0);
    ASSERT_TRUE(FormatCheckTitle(TitleOf(status), text, sizeof text));
    EXPECT_STREQ("Vesko check 0:00:03, 3 bursts, 1 error (burst 1), AVX2", text);
    StatusLines(status, lines);
    EXPECT_STREQ("Latest wrong: burst 1, memory: expected 0x0000000000000010, got "
                 "0x0000000000000011",
                 lines[2]);
    EXPECT_STREQ("Errors file: C:\\errors.txt", lines[3]);
    CountBurst(&status, {false, floatPhase, 3, 1, 2}, 4, 112);
    StatusLines(status, lines);
    EXPECT_STREQ("Errors file: 1 wrong result NOT written to C:\\errors.txt (error 112)", lines[3]);
    EXPECT_EQ(2u, status.errors);
}

} // namespace
