#include "cores/win_clock.h"

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
    static uint64_t wraps = 0; // read on the window's thread only
    static DWORD last = 0;
    DWORD now = GetTickCount();
    if (now < last)
        wraps += uint64_t(1) << 32;
    last = now;
    return wraps + now;
}
