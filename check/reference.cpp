#include "check/reference.h"

#include "check/burst_inputs.h"
#include "check/burst_shape.h"
#include "check/float_phase.h"
#include "check/integer_phase.h"

#include <cmath>

double FloatChainSse2(uint32_t chain) {
    double x = FloatChainStart(chain);
    for (int step = 0; step < kBurstSteps; ++step)
        x = x * x + kFloatAddend;
    return x;
}

double FloatChainFma(uint32_t chain) {
    double x = FloatChainStart(chain);
    for (int step = 0; step < kBurstSteps; ++step)
        x = std::fma(x, x, kFloatAddend);
    return x;
}

uint64_t IntegerChain(uint32_t chain) {
    uint64_t start = IntegerChainStart(chain);
    IntegerValue x = {uint32_t(start >> 32), uint32_t(start)};
    for (int step = 0; step < kBurstSteps; ++step)
        x = IntegerStep(x);
    return uint64_t(x.high) << 32 | x.low;
}
