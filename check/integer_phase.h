#pragma once

#include <stdint.h>

// The integer phase: kIntegerLanes chains of IntegerStep, kBurstSteps steps each from its
// start, folded.

// A chain's value in two 32-bit halves, as the 32-bit build holds it in registers.
struct IntegerValue {
    uint32_t high, low;
};

// A 32x32->64 multiply, one instruction on both builds, then a shift, an xor and an add:
// (high, low) -> (low half of low * M + K, high ^ high half of low * M). A bijection, so a
// wrong value never turns back into the right one; a flipped bit reaches every bit within
// four steps.
inline IntegerValue IntegerStep(IntegerValue x) {
    uint64_t product = uint64_t(x.low) * 0xE817FB2Du;
    return {uint32_t(product) + 0x9E3779B9u, x.high ^ uint32_t(product >> 32)};
}

uint64_t IntegerPhase(uint64_t burst);
