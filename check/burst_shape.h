#pragma once

#include <cfloat>

// The size of one burst of the check workload and of its table of known answers.

// Bursts whose inputs and answers are known: burst n is burst n modulo this.
const int kAnswerCount = 1024;

// The one measure of a burst's length: the steps of every chain and of the memory walk.
const int kBurstSteps = 250000;

// Independent chains: floating-point lanes (doubles) and integer lanes.
const int kFloatLanes = 1008;
const int kIntegerLanes = 32;

// The memory phase's tables of 32-bit words: one for the level-1 data cache (32 KiB), one
// for the level-2 cache (256 KiB: the smallest L2 of current cores, so it stays there).
const int kL1Words = 32 * 1024 / 4;
const int kL2Words = 256 * 1024 / 4;

// x87 excess precision would round differently from the known answers.
#if FLT_EVAL_METHOD != 0
#error "doubles must be computed in double precision (SSE2 on x86)"
#endif
