#pragma once

#include <stdint.h>

// The memory phase: two tables, one the size of the level-1 data cache and one of the
// level-2, filled from the burst's seed; then two walkers in each, kBurstSteps steps. A
// walker's next address comes from the word it loaded, so no load can be skipped, and it
// stores into every word it visits. The result folds the walkers and every table word.
// Plain C++: the build's known answers run this same code. One burst at a time per process
// (the tables are static).
uint64_t MemoryPhase(uint64_t burst);
