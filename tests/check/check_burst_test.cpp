#include "check/check_burst.h"

#include "check/cpu_features.h"

#include <gtest/gtest.h>

namespace {

// Both ends of the table of answers and past it, where burst n is burst n modulo its size.
const uint64_t kBursts[] = {
    0, 517, kAnswerCount - 1, kAnswerCount, 3 * kAnswerCount + 2, (uint64_t(1) << 40) + 7};

// The kernels, run here, compute every phase bit for bit as the build machine's reference did.
void ExpectKnownAnswers(CheckPath path) {
    for (uint64_t burst : kBursts) {
        CheckResult result = CheckBurst(path, burst);
        EXPECT_TRUE(result.ok) << "burst " << burst << ", phase " << result.phase << ": expected "
                               << std::hex << result.expected << ", got " << result.got;
    }
}

TEST(CheckBurst, TheSse2PathComputesTheKnownAnswers) {
    ExpectKnownAnswers(sse2Path);
}

TEST(CheckBurst, TheAvx2PathComputesTheKnownAnswers) {
    if (!Avx2FmaAllowed(ReadCpuFeatureBits()))
        GTEST_SKIP() << "no AVX2 and FMA here";
    ExpectKnownAnswers(avx2Path);
}

// One flipped bit in any unit's result is told: that phase, that burst, both values.
TEST(CheckBurst, AWrongResultInEachUnitIsCaught) {
    const uint64_t burst = kAnswerCount + 3;
    const ResultFlip flips[] = {
        {floatPhase, 1}, {integerPhase, uint64_t(1) << 31}, {memoryPhase, uint64_t(1) << 63}};
    for (ResultFlip flip : flips) {
        CheckResult result = CheckBurst(sse2Path, burst, flip);
        uint64_t expected = kKnownAnswers[sse2Path][3][flip.phase];
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(flip.phase, result.phase);
        EXPECT_EQ(burst, result.burst);
        EXPECT_EQ(expected, result.expected);
        EXPECT_EQ(expected ^ flip.bits, result.got);
    }
}

// The workload stays the one measured and documented: its inputs, phases and reference pinned
// by the answers of the table's first and last bursts (the same from any x86-64 build machine).
TEST(CheckBurst, TheWorkloadIsTheOneMeasured) {
    const uint64_t sse2[2][kPhaseCount] = {
        {0x01a0be7644a07ae5ull, 0xd2be296f91e5b99eull, 0x7a083ddaeaebffb8ull},
        {0x96c7a5854a33c527ull, 0xe34a0f494b9cc8abull, 0x271e8fc59ee23490ull}};
    for (int phase = 0; phase < kPhaseCount; ++phase) {
        EXPECT_EQ(sse2[0][phase], kKnownAnswers[sse2Path][0][phase]) << phase;
        EXPECT_EQ(sse2[1][phase], kKnownAnswers[sse2Path][kAnswerCount - 1][phase]) << phase;
    }
    EXPECT_EQ(0x7edaab087f5cbeefull, kKnownAnswers[avx2Path][0][floatPhase]);
    EXPECT_EQ(0x16d94ff9559f9c6cull, kKnownAnswers[avx2Path][kAnswerCount - 1][floatPhase]);
}

} // namespace
