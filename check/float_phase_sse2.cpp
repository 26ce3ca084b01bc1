#include "check/float_phase.h"

#include "check/burst_inputs.h"
#include "check/burst_shape.h"
#include "check/fold.h"

#include <emmintrin.h>

namespace {

// Chains in flight, two doubles each: enough to cover the multiply's and the add's latency,
// within the 16 registers of 64-bit code and the 8 of 32-bit code (the addend then a
// memory operand).
#if defined(__x86_64__)
const int kSse2Group = 12;
#else
const int kSse2Group = 8;
#endif
static_assert(kFloatLanes % (2 * kSse2Group) == 0, "whole groups");

void RunSse2Group(double* lanes) {
    const __m128d c = _mm_set1_pd(kFloatAddend);
    __m128d x[kSse2Group];
#pragma GCC unroll 16
    for (int k = 0; k < kSse2Group; ++k)
        x[k] = _mm_loadu_pd(lanes + 2 * k);
    for (int step = 0; step < kBurstSteps; ++step) {
#pragma GCC unroll 16
        for (int k = 0; k < kSse2Group; ++k)
            x[k] = _mm_add_pd(_mm_mul_pd(x[k], x[k]), c);
    }
#pragma GCC unroll 16
    for (int k = 0; k < kSse2Group; ++k)
        _mm_storeu_pd(lanes + 2 * k, x[k]);
}

} // namespace

uint64_t FloatPhaseSse2(uint64_t burst) {
    double lanes[kFloatLanes];
    FloatStarts(burst, lanes);
    for (int first = 0; first < kFloatLanes; first += 2 * kSse2Group)
        RunSse2Group(lanes + first);
    return FoldDoubles(lanes, kFloatLanes);
}
