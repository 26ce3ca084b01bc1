#pragma once

#include <stdint.h>

// A burst's inputs, from its number alone. Lane i of burst n runs chain (n + i) modulo
// kAnswerCount, so neighbouring bursts share chains and the known answers need only
// kAnswerCount chains of each kind.

uint64_t SplitMix64(uint64_t x);

uint32_t ChainOfLane(uint64_t burst, int lane);

// A floating-point chain's start, in [-0.5, 0.5).
double FloatChainStart(uint32_t chain);
uint64_t IntegerChainStart(uint32_t chain);

// Every lane's start: kFloatLanes doubles, kIntegerLanes words.
void FloatStarts(uint64_t burst, double* lanes);
void IntegerStarts(uint64_t burst, uint64_t* lanes);

// The seed of the memory phase's tables and walkers.
uint64_t MemorySeed(uint64_t burst);
