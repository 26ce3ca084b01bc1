#include "stand_in_kernel.h"

#include "app/burn_kernel.h"
#include "app/burn_worker.h"

#include <x86intrin.h>

StandInKernel theStandIn;

extern "C" void RunBurnKernel(const Matrix44*) {
    unsigned long long start = __rdtsc();
    asm volatile("fninit"); // the x87 state the real kernel leaves behind
    int burst = int(theStandIn.bursts.size());
    StandInBurst record = {GetPriorityClass(GetCurrentProcess()),
                           GetThreadPriority(GetCurrentThread()), 0.0};
    if (theStandIn.duringBurst)
        theStandIn.duringBurst(burst);
    if (burst == theStandIn.stopDuringBurst)
        theStopFlag = 1;
    Sleep(theStandIn.burstMs);
    record.ticks = double(__rdtsc() - start);
    theStandIn.bursts.push_back(record);
}
