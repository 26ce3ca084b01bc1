#include "check/burst_inputs.h"

#include "check/burst_shape.h"

#include <string.h>

namespace {

// Each kind of input draws from its own stream.
const uint64_t kFloatStream = 0xF10A7ull << 32;
const uint64_t kIntegerStream = 0x1A7E6ull << 32;
const uint64_t kMemoryStream = 0x3E3012ull << 32;

} // namespace

uint64_t SplitMix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ x >> 30) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ x >> 27) * 0x94D049BB133111EBull;
    return x ^ x >> 31;
}

uint32_t ChainOfLane(uint64_t burst, int lane) {
    return uint32_t((burst % kAnswerCount + lane) % kAnswerCount);
}

double FloatChainStart(uint32_t chain) {
    // 52 random bits under the exponent of 1 make a double in [1, 2): no conversion rounds.
    uint64_t bits = 0x3FF0000000000000ull | SplitMix64(kFloatStream | chain) >> 12;
    double x;
    memcpy(&x, &bits, sizeof x);
    return x - 1.5;
}

uint64_t IntegerChainStart(uint32_t chain) {
    return SplitMix64(kIntegerStream | chain);
}

void FloatStarts(uint64_t burst, double* lanes) {
    for (int lane = 0; lane < kFloatLanes; ++lane)
        lanes[lane] = FloatChainStart(ChainOfLane(burst, lane));
}

void IntegerStarts(uint64_t burst, uint64_t* lanes) {
    for (int lane = 0; lane < kIntegerLanes; ++lane)
        lanes[lane] = IntegerChainStart(ChainOfLane(burst, lane));
}

uint64_t MemorySeed(uint64_t burst) {
    return SplitMix64(kMemoryStream | burst % kAnswerCount);
}
