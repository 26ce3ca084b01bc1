#pragma once

#include "check/known_answers.h"

#include <stdint.h>

// One burst run and checked: each phase's result against its known answer.

// The outcome: ok, or the first phase whose result was wrong, with both values (phase,
// expected and got are read only when not ok).
struct CheckResult {
    bool ok;
    CheckPhase phase;
    uint64_t burst;
    uint64_t expected, got;
};

// For tests: bits to flip in one phase's result before it is compared.
struct ResultFlip {
    CheckPhase phase;
    uint64_t bits;
};
const ResultFlip kNoFlip = {floatPhase, 0};

// The AVX2 path only where Avx2FmaAllowed().
CheckResult CheckBurst(CheckPath path, uint64_t burst, ResultFlip flip = kNoFlip);
