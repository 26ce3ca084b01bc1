// Built with -mavx2 -mfma: this file must define nothing inline that others share, or the
// linker may keep its AVX copy for the SSE2 code (tests/check/avx_confined.py checks).
#include "check/float_phase.h"

#include "check/burst_inputs.h"
#include "check/burst_shape.h"
#include "check/fold.h"

#include <immintrin.h>

namespace {

// Independent fused multiply-add chains, four doubles each: two FMA units of 4 to 5 cycles'
// latency need 10 in flight. 32-bit code has 8 registers, one of them the addend's: more
// chains there would wait on their spills.
#if defined(__x86_64__)
const int kAvx2Group = 12;
#else
const int kAvx2Group = 7;
#endif
static_assert(kFloatLanes % (4 * kAvx2Group) == 0, "whole groups");

void RunAvx2Group(double* lanes) {
    const __m256d c = _mm256_set1_pd(kFloatAddend);
    __m256d x[kAvx2Group];
#pragma GCC unroll 16
    for (int k = 0; k < kAvx2Group; ++k)
        x[k] = _mm256_loadu_pd(lanes + 4 * k);
    for (int step = 0; step < kBurstSteps; ++step) {
#pragma GCC unroll 16
        for (int k = 0; k < kAvx2Group; ++k)
            x[k] = _mm256_fmadd_pd(x[k], x[k], c);
    }
#pragma GCC unroll 16
    for (int k = 0; k < kAvx2Group; ++k)
        _mm256_storeu_pd(lanes + 4 * k, x[k]);
}

} // namespace

uint64_t FloatPhaseAvx2(uint64_t burst) {
    double lanes[kFloatLanes];
    FloatStarts(burst, lanes);
    for (int first = 0; first < kFloatLanes; first += 4 * kAvx2Group)
        RunAvx2Group(lanes + first);
    return FoldDoubles(lanes, kFloatLanes);
}
