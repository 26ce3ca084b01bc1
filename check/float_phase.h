#pragma once

#include <stdint.h>

// The floating-point phase: kFloatLanes chains of x = x * x + kFloatAddend, kBurstSteps steps
// each from its start, folded by bit patterns. The map is chaotic, so a wrong bit grows
// rather than fades (only a flip in a value's last few bits can round away, where the value
// is near 0), and it stays bounded: [c, c * c + c] maps into itself, rounding included, for
// this c. No value is infinite, and none but 0 is below 2^-104 in size, so none is denormal.
const double kFloatAddend = -1.9;

// Multiply, then add: each rounded. SSE2, on both builds.
uint64_t FloatPhaseSse2(uint64_t burst);
// One fused multiply-add, rounded once; 256-bit. Only where Avx2FmaAllowed().
uint64_t FloatPhaseAvx2(uint64_t burst);
