#include "cores/run_clock.h"

void StartClock(RunClock* clock, MillisecondSource awake, MillisecondSource wall, uint64_t nowMs) {
    *clock = {awake, wall, awake(), wall(), nowMs, 0};
}

uint64_t ReadClock(RunClock* clock) {
    uint64_t awake = clock->awake(), wall = clock->wall();
    uint64_t awakeFor = awake - clock->lastAwake, passed = wall - clock->lastWall;
    clock->nowMs += awakeFor;
    if (passed > awakeFor + kSleepNoticeMs)
        clock->sleptMs += passed - awakeFor;
    clock->lastAwake = awake, clock->lastWall = wall;
    return clock->nowMs;
}

uint64_t TakeSleep(RunClock* clock) {
    uint64_t slept = clock->sleptMs;
    clock->sleptMs = 0;
    return slept;
}

uint64_t CarryTicks(TickCarry* carry, uint32_t ticks) {
    if (ticks < carry->last)
        carry->wraps += uint64_t(1) << 32;
    carry->last = ticks;
    return carry->wraps + ticks;
}
