#include "app/clock.h"

#include <windows.h>
#include <x86intrin.h>

namespace {

double theBaseSeconds = -1.0;
double theStartSeconds = -1.0;
double theStartTicks = 0.0;

long double PerformanceCounterSeconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return CounterSeconds(count.QuadPart, frequency.QuadPart);
}

bool HasPerformanceCounter() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart > 0;
}

} // namespace

long double CounterSeconds(long long count, long long frequency) {
    if (frequency <= 0)
        return 0.0L;
    return (long double)count / (long double)frequency;
}

long double TicksPerSecond(long double ticks, long double seconds) {
    return seconds > 0.0L ? ticks / seconds : 0.0L;
}

long double SecondsSinceStart() {
    long double now = PerformanceCounterSeconds();
    if (theBaseSeconds == -1.0)
        theBaseSeconds = double(now);
    return now - theBaseSeconds;
}

long double ReadTimeStampCounter() {
    return (long double)(long long)__rdtsc();
}

long double MeasureClockHz() {
    if (theStartSeconds == -1.0) {
        theStartSeconds = double(SecondsSinceStart());
        theStartTicks = double(ReadTimeStampCounter());
        // Without a counter the seconds never advance: do not spin forever.
        if (HasPerformanceCounter())
            while (SecondsSinceStart() - theStartSeconds < 0.2)
                ;
    }
    double now = double(SecondsSinceStart());
    long double ticks = ReadTimeStampCounter();
    return TicksPerSecond(ticks - theStartTicks, (long double)now - theStartSeconds);
}
