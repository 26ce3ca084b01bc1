#include "cores/win_clock.h"

#include "cores/run_clock.h"

#include <windows.h>

namespace {

typedef BOOL(WINAPI* UnbiasedTime)(PULONGLONG);

// Found at run time: Windows before 7 does not have it.
UnbiasedTime Unbiased() {
    static UnbiasedTime unbiased = (UnbiasedTime)(void*)GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "QueryUnbiasedInterruptTime");
    return unbiased;
}

} // namespace

uint64_t AwakeMilliseconds() {
    ULONGLONG units = 0; // of 100 ns
    if (Unbiased() && Unbiased()(&units))
        return units / 10000;
    return WallMilliseconds();
}

uint64_t WallMilliseconds() {
    static TickCarry carry = {}; // read on the window's thread only
    return CarryTicks(&carry, GetTickCount());
}
