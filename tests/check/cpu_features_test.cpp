#include "check/cpu_features.h"

#include <gtest/gtest.h>

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

// What this processor says: XGETBV is read only where the OS has turned on OSXSAVE.
TEST(CpuFeatures, ThisProcessorIsReadConsistently) {
    CpuFeatureBits bits = ReadCpuFeatureBits();
    EXPECT_GE(bits.maxLeaf, 1u);
    if (!(bits.leaf1Ecx & 1u << 27))
        EXPECT_EQ(0u, bits.xcr0);
    else
        EXPECT_EQ(2u, bits.xcr0 & 2) << "an OS that saves extended state saves SSE's";
}

} // namespace
