#include "real_burst.h"

#include "app/burn_worker.h"
#include "kernel_probe.h"

#include <windows.h>

#include <algorithm>

namespace {

RealBurst Measure() {
    Matrix44 seed;
    BuildSeedMatrix(seed);
    RealBurst burst;
    // Another control word to start from: double precision, as a new thread has.
    uint16_t otherControl = 0x027F;
    asm volatile("fldcw %0" : : "m"(otherControl));
    DWORD start = GetTickCount(); // ample: the length only sets time-outs
    burst.changedRegisters = CallKernelCheckingRegisters(&seed);
    asm volatile("fnstenv %0\n\tfldenv %0" : "=m"(burst.x87After));
    burst.seconds = (GetTickCount() - start) * 1e-3;
    return burst;
}

} // namespace

const RealBurst& OneRealBurst() {
    static const RealBurst burst = Measure();
    return burst;
}

unsigned BurstBudgetMs() {
    return unsigned(2000 * std::max(OneRealBurst().seconds, 15.0));
}
