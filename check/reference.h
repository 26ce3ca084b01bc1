#pragma once

#include <stdint.h>

// The phases' chains one at a time, in plain portable C++ with no vector code, for the
// known answers. Built for the build machine with -ffp-contract=off, so a * b + c rounds
// twice and std::fma once, as the processor's SSE2 and FMA instructions do.

double FloatChainSse2(uint32_t chain);
double FloatChainFma(uint32_t chain);
uint64_t IntegerChain(uint32_t chain);
