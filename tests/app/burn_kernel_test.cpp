#include "app/burn_kernel.h"
#include "app/burn_worker.h"
#include "kernel_probe.h"

#include <gtest/gtest.h>

#include <stdint.h>

namespace {

// The x87 environment as FNSTENV stores it (protected-mode layout).
struct X87Environment {
    uint16_t control, unused1;
    uint16_t status, unused2;
    uint16_t tags, unused3;
    uint32_t rest[4];
};

X87Environment ReadX87() {
    X87Environment env;
    asm volatile("fnstenv %0\n\tfldenv %0" : "=m"(env));
    return env;
}

TEST(BurnKernel, LeavesTheX87UnitInitialisedAndItsStackEmpty) {
    Matrix44 seed;
    BuildSeedMatrix(seed);
    // Start from another control word: double precision, as a new thread has.
    uint16_t otherControl = 0x027F;
    asm volatile("fldcw %0" : : "m"(otherControl));
    RunBurnKernel(&seed);
    X87Environment env = ReadX87();
    EXPECT_EQ(0x037F, env.control);
    EXPECT_EQ(0xFFFF, env.tags) << "all eight registers empty";
    EXPECT_EQ(0, (env.status >> 11) & 7) << "stack top back at 0";
    EXPECT_EQ(0, env.status & 0x40) << "no stack fault";
}

TEST(BurnKernel, PreservesCalleeSavedRegisters) {
    Matrix44 seed;
    BuildSeedMatrix(seed);
    EXPECT_EQ(0, CallKernelCheckingRegisters(&seed));
}

} // namespace
