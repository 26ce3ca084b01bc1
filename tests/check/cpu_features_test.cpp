#include "check/cpu_features.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// AVX2 and FMA run only where the processor has all three features and the OS saves both
// the XMM and the YMM state; with any one missing the SSE2 path must be taken.
TEST(CpuFeatures, Avx2NeedsEveryFeatureAndTheOsState) {
    const CpuFeatureBits all = {7, 1u << 12 | 1u << 27 | 1u << 28, 1u << 5, 6};
    EXPECT_TRUE(Avx2FmaAllowed(all));
    CpuFeatureBits missing[] = {all, all, all, all, all, all, all};
    missing[0].leaf1Ecx &= ~(1u << 12); // FMA
    missing[1].leaf1Ecx &= ~(1u << 27); // OSXSAVE
    missing[2].leaf1Ecx &= ~(1u << 28); // AVX
    missing[3].leaf7Ebx = 0;            // AVX2
    missing[4].xcr0 = 2;                // the OS saves no YMM state
    missing[5].xcr0 = 4;                // nor XMM
    missing[6].maxLeaf = 6;             // leaf 7 is not there to read
    for (const CpuFeatureBits& bits : missing)
        EXPECT_FALSE(Avx2FmaAllowed(bits)) << &bits - missing;
}

// This processor read as Windows reads it (Wine too; Windows before 10 knows no AVX2): where
// it says AVX2 is there the AVX2 path is taken, and never without the OS saving its state.
TEST(CpuFeatures, ThisProcessorIsReadAsWindowsReadsIt) {
    bool allowed = Avx2FmaAllowed(ReadCpuFeatureBits());
    EXPECT_TRUE(allowed || !IsProcessorFeaturePresent(PF_AVX2_INSTRUCTIONS_AVAILABLE));
    EXPECT_TRUE(!allowed || IsProcessorFeaturePresent(PF_XSAVE_ENABLED));
}

} // namespace
