#pragma once

#include <stdint.h>

// The system's two clocks for the run's time.

// Milliseconds the machine was awake since it started (QueryUnbiasedInterruptTime);
// where the system lacks it, WallMilliseconds.
uint64_t AwakeMilliseconds();
// Milliseconds since the system started, sleep included (GetTickCount,
// carried past its 49-day wrap).
uint64_t WallMilliseconds();
