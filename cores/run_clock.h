#pragma once

#include <stdint.h>

// The run's time counts only the time the machine was awake: a machine that
// sleeps (a lid closed, a forced standby) has no tool running, so its sleep
// is no silence, no burst and no part of --duration.

// Milliseconds since some fixed moment.
typedef uint64_t (*MillisecondSource)();

struct RunClock {
    MillisecondSource awake; // leaves out the time asleep
    MillisecondSource wall;  // goes on while the machine sleeps
    uint64_t lastAwake, lastWall;
    uint64_t nowMs;   // the run's time
    uint64_t sleptMs; // asleep since it was last taken
};

// A sleep shorter than this is the two sources' jitter, not a sleep.
const uint64_t kSleepNoticeMs = 2000;

// The clock at `nowMs` of the run's time from now on.
void StartClock(RunClock* clock, MillisecondSource awake, MillisecondSource wall, uint64_t nowMs);
// Reads both sources: the run's time now.
uint64_t ReadClock(RunClock* clock);
// The time asleep since the last call, and none from then on.
uint64_t TakeSleep(RunClock* clock);

// A 32-bit millisecond count (GetTickCount) carried past its wrap at 49.7 days.
struct TickCarry {
    uint64_t wraps;
    uint32_t last;
};

// `ticks` read now as a count that never wraps; reads must come at least once a wrap.
uint64_t CarryTicks(TickCarry* carry, uint32_t ticks);
