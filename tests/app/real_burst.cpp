#include "real_burst.h"

#include "app/burn_worker.h"
#include "kernel_probe.h"

#include <windows.h>

namespace {

double Seconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

RealBurst Measure() {
    Matrix44 seed;
    BuildSeedMatrix(seed);
    RealBurst burst;
    // Another control word to start from: double precision, as a new thread has.
    uint16_t otherControl = 0x027F;
    asm volatile("fldcw %0" : : "m"(otherControl));
    double start = Seconds();
    burst.changedRegisters = CallKernelCheckingRegisters(&seed);
    burst.seconds = Seconds() - start;
    asm volatile("fnstenv %0\n\tfldenv %0" : "=m"(burst.x87After));
    return burst;
}

} // namespace

const RealBurst& OneRealBurst() {
    static const RealBurst burst = Measure();
    return burst;
}

unsigned BurstBudgetMs() {
    double slowest = OneRealBurst().seconds > 15.0 ? OneRealBurst().seconds : 15.0;
    return unsigned(2000 * slowest);
}
