#include "stand_in_kernel.h"

#include "app/burn_kernel.h"
#include "app/burn_worker.h"

#include <x86intrin.h>

#ifdef VESKO_BUSY_BURST_MS
// The slow tool: every burst busy for this long, fixed when it is built.
StandInKernel theStandIn = {VESKO_BUSY_BURST_MS, nullptr, -1, true, {}};
#else
StandInKernel theStandIn;
#endif

namespace {

DWORD ThreadProcessorMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) {
        return (ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000;
    };
    return DWORD(ms(kernel) + ms(user));
}

void StayBusy(DWORD ms) {
    for (DWORD start = ThreadProcessorMs(); ThreadProcessorMs() - start < ms;)
        for (DWORD tick = GetTickCount(); GetTickCount() - tick < 10;) // few system calls
            ;
}

} // namespace

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
    if (theStandIn.busy)
        StayBusy(theStandIn.burstMs);
    else
        Sleep(theStandIn.burstMs);
    record.ticks = double(__rdtsc() - start);
    theStandIn.bursts.push_back(record);
}
