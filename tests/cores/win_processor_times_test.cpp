#include "cores/win_processor_times.h"

#include <gtest/gtest.h>

namespace {

// Every processor answered for; busy within total, both growing while we spin on processor 0.
TEST(ProcessorTimes, EveryProcessorBusyWithinItsTotal) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    ProcessorTimes before = {}, after = {};
    ASSERT_TRUE(ReadProcessorTimes(&before));
    EXPECT_EQ(int(system.dwNumberOfProcessors), before.count);
    DWORD_PTR old = SetThreadAffinityMask(GetCurrentThread(), 1);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 300;) {
    }
    SetThreadAffinityMask(GetCurrentThread(), old);
    ASSERT_TRUE(ReadProcessorTimes(&after));
    for (int p = 0; p < after.count; ++p) {
        EXPECT_LE(after.busy[p], after.total[p]) << p;
        EXPECT_GT(after.total[p], before.total[p]) << p;
    }
    EXPECT_GT(2 * (after.busy[0] - before.busy[0]), after.total[0] - before.total[0]);
}

} // namespace
