#pragma once

#include <windows.h>

#include <atomic>
#include <stdint.h>

#include "math/matrix44.h"

// Set once, 0 to 1, by the user-interface thread at shutdown; the worker
// reads it afresh after every status line.
extern std::atomic<int32_t> theStopFlag;
// The worker's own handle; stored before the worker first runs (start it
// suspended, store, resume).
extern HANDLE theWorkerThread;

// Thread routine: bursts of the kernel at the chosen priority, a status line
// into theMainWindow's title after each, until theStopFlag is set. Returns 0.
DWORD WINAPI BurnWorker(LPVOID unused);

// The kernel's seed: a fixed sequence of translations, scalings and rotations.
void BuildSeedMatrix(Matrix44& seed);

enum StatusLineKind { cyclesLine, clockRateLine, daysLine };

// Which line a burst ending `seconds` after the first one shows: the clock
// rate in seconds 2 and 3 of every four, else the cycles line, or the days
// line from 72 hours on.
StatusLineKind ChooseStatusLine(int seconds);

typedef long double (*ClockRateSource)();

// The status line in a scratch buffer; clockHz is asked only for the
// clock-rate line.
const char* StatusLine(int seconds, double tscBefore, double tscAfter, ClockRateSource clockHz);
