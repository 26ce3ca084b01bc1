#pragma once

#include <stdint.h>

// The integer phase: kIntegerLanes chains of IntegerStep, kBurstSteps steps each from its
// start, folded.

// Shift and xor, multiply by an odd number, add: each a bijection, so a wrong value never
// turns back into the right one. The 32-bit build makes the 64-bit multiply of 32x32->64
// ones.
inline uint64_t IntegerStep(uint64_t x) {
    return (x ^ x >> 29) * 0xBF58476D1CE4E5B9ull + 0x9E3779B97F4A7C15ull;
}

uint64_t IntegerPhase(uint64_t burst);
