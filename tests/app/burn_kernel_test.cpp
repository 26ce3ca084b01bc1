#include "real_burst.h"

#include <gtest/gtest.h>

namespace {

TEST(BurnKernel, LeavesTheX87UnitInitialisedAndItsStackEmpty) {
    const X87Environment& env = OneRealBurst().x87After;
    EXPECT_EQ(0x037F, env.control);
    EXPECT_EQ(0xFFFF, env.tags) << "all eight registers empty";
    EXPECT_EQ(0, (env.status >> 11) & 7) << "stack top back at 0";
    EXPECT_EQ(0, env.status & 0x40) << "no stack fault";
}

TEST(BurnKernel, PreservesCalleeSavedRegisters) {
    EXPECT_EQ(0, OneRealBurst().changedRegisters);
}

} // namespace
