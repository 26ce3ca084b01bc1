#pragma once

#include <windows.h>

#include <vector>

// What one burst of the stand-in kernel saw.
struct StandInBurst {
    DWORD priorityClass;
    int threadPriority;
    double ticks; // time-stamp ticks from its start to its end
};

// Linked into the worker's tests in place of the burn-in kernel: bursts of a
// length the test chooses, recorded one by one on the worker's thread. Read
// `bursts` only once the worker has ended.
struct StandInKernel {
    DWORD burstMs = 1;
    // Called on the worker's thread as burst `burst` (0, 1, ...) begins: the
    // user acting while a burst runs.
    void (*duringBurst)(int burst) = nullptr;
    // theStopFlag is set as this burst begins; -1 for never.
    int stopDuringBurst = -1;
    // Keeps its processor busy until the thread has had burstMs of processor
    // time, as the real kernel does, instead of sleeping: a processor shared
    // with other work makes the burst longer.
    bool busy = false;
    std::vector<StandInBurst> bursts;
};

extern StandInKernel theStandIn;
