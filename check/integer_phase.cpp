#include "check/integer_phase.h"

#include "check/burst_inputs.h"
#include "check/burst_shape.h"
#include "check/fold.h"

namespace {

// Chains in flight to keep the multiplier busy through the step's latency; a chain takes
// two of the 32-bit build's few registers.
#if defined(__x86_64__)
const int kIntegerGroup = 8;
#else
const int kIntegerGroup = 4;
#endif
static_assert(kIntegerLanes % kIntegerGroup == 0, "whole groups");

void RunIntegerGroup(uint64_t* lanes) {
    IntegerValue x[kIntegerGroup];
#pragma GCC unroll 16
    for (int k = 0; k < kIntegerGroup; ++k)
        x[k] = {uint32_t(lanes[k] >> 32), uint32_t(lanes[k])};
    for (int step = 0; step < kBurstSteps; ++step) {
#pragma GCC unroll 16
        for (int k = 0; k < kIntegerGroup; ++k)
            x[k] = IntegerStep(x[k]);
    }
#pragma GCC unroll 16
    for (int k = 0; k < kIntegerGroup; ++k)
        lanes[k] = uint64_t(x[k].high) << 32 | x[k].low;
}

} // namespace

uint64_t IntegerPhase(uint64_t burst) {
    uint64_t lanes[kIntegerLanes];
    IntegerStarts(burst, lanes);
    for (int first = 0; first < kIntegerLanes; first += kIntegerGroup)
        RunIntegerGroup(lanes + first);
    return FoldWords(0, lanes, kIntegerLanes);
}
