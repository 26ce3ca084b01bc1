#pragma once

#include <windows.h>
// winnt.h maps this name onto the __rdtsc intrinsic; ours is extended precision.
#undef ReadTimeStampCounter

// Time for the burn-in worker. Results are x87 extended precision; state is
// kept per process and taken at each routine's first call. Not for
// concurrent callers: only the worker thread uses them.

// Wall-clock seconds since this routine's first call (performance counter).
long double SecondsSinceStart();

// The processor's time-stamp counter.
long double ReadTimeStampCounter();

// Time-stamp ticks per second, averaged since this routine's first call;
// the first call spins at least 0.2 s to have a span to measure.
long double MeasureClockHz();

// Counter ticks over frequency; 0 when there is no counter (frequency 0).
long double CounterSeconds(long long count, long long frequency);

// Ticks over seconds; 0 for an empty or negative span.
long double TicksPerSecond(long double ticks, long double seconds);
