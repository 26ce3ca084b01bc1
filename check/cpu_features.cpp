#include "check/cpu_features.h"

#include <cpuid.h>

namespace {

const uint32_t kFmaBit = 1u << 12, kOsxsaveBit = 1u << 27, kAvxBit = 1u << 28;
const uint32_t kAvx2Bit = 1u << 5;
const uint64_t kXmmYmmState = 6;

} // namespace

CpuFeatureBits ReadCpuFeatureBits() {
    CpuFeatureBits bits = {};
    unsigned a, b, c, d;
    bits.maxLeaf = __get_cpuid_max(0, nullptr);
    if (bits.maxLeaf >= 1 && __get_cpuid(1, &a, &b, &c, &d))
        bits.leaf1Ecx = c;
    if (bits.maxLeaf >= 7) {
        __cpuid_count(7, 0, a, b, c, d);
        bits.leaf7Ebx = b;
    }
    if (bits.leaf1Ecx & kOsxsaveBit) {
        uint32_t low, high;
        __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        bits.xcr0 = uint64_t(high) << 32 | low;
    }
    return bits;
}

bool Avx2FmaAllowed(const CpuFeatureBits& bits) {
    uint32_t needed = kFmaBit | kOsxsaveBit | kAvxBit;
    return (bits.leaf1Ecx & needed) == needed && bits.maxLeaf >= 7 && (bits.leaf7Ebx & kAvx2Bit) &&
           (bits.xcr0 & kXmmYmmState) == kXmmYmmState;
}
