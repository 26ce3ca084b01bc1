#include "cores/win_clock.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// Both clocks in milliseconds, going on together while awake; reads in a row are no wrap.
TEST(Clocks, AwakeAndWallTimeGoOnTogetherInMilliseconds) {
    uint64_t wall = WallMilliseconds(), awake = AwakeMilliseconds();
    for (int i = 0; i < 1000; ++i)
        ASSERT_LT(WallMilliseconds() - wall, 1000u) << "read " << i;
    Sleep(300);
    uint64_t wallGone = WallMilliseconds() - wall, awakeGone = AwakeMilliseconds() - awake;
    EXPECT_GE(wallGone, 250u);
    EXPECT_LT(wallGone, 20000u);
    EXPECT_NEAR(double(wallGone), double(awakeGone), 200.0);
}

} // namespace
