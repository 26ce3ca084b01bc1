#pragma once

#include <stdint.h>

// The x87 environment as FNSTENV stores it (protected-mode layout).
struct X87Environment {
    uint16_t control, unused1;
    uint16_t status, unused2;
    uint16_t tags, unused3;
    uint32_t rest[4];
};

// One burst of the real kernel, run once per test process and shared by
// every check that needs one: a burst lasts 35 ms on some processors and
// 13 s on others.
struct RealBurst {
    X87Environment x87After; // started from control word 0x027F
    int changedRegisters;    // a bit per callee-saved register, 0 if all kept
    double seconds;
};

const RealBurst& OneRealBurst();

// Safety bound for waiting on one burst of the tool: twice the burst
// measured here, or twice the slowest burst seen (15 s), if longer.
unsigned BurstBudgetMs();
