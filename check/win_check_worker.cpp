// Compiled into vesko-check.exe, and again with a planted fault into the test-only
// vesko-check-wrong.exe (tests/CMakeLists.txt).
#include "check/win_check_worker.h"

#include "check/win_check_run.h"

namespace {

// Only the test-only wrong build has this path: bit 17 of the integer phase's result
// flipped in one burst, the first from burst VESKO_WRONG_AFTER_BURST on that runs on
// processor VESKO_WRONG_PROCESSOR, to prove that a wrong result is seen and told.
ResultFlip PlantedFlip(uint64_t burst) {
#if defined(VESKO_WRONG_AFTER_BURST) && defined(VESKO_WRONG_PROCESSOR)
    static bool planted = false;
    if (!planted && burst >= VESKO_WRONG_AFTER_BURST &&
        GetCurrentProcessorNumber() == VESKO_WRONG_PROCESSOR) {
        planted = true;
        return {integerPhase, uint64_t(1) << 17};
    }
#endif
    (void)burst;
    return kNoFlip;
}

// Whole seconds since `start` on the performance counter.
uint64_t SecondsSince(LARGE_INTEGER start, LARGE_INTEGER frequency) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return uint64_t(now.QuadPart - start.QuadPart) / uint64_t(frequency.QuadPart);
}

} // namespace

DWORD WINAPI CheckWorker(LPVOID param) {
    CheckRun* run = (CheckRun*)param;
    CheckPath path = ReadStatus(run).path;
    LARGE_INTEGER start, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (uint64_t burst = 0; !run->stop.load(); ++burst) {
        CheckResult result = CheckBurst(path, burst, PlantedFlip(burst));
        CheckTitle title = RecordBurst(run, result, SecondsSince(start, frequency));
        char text[160];
        FormatCheckTitle(title, text, sizeof text);
        SetWindowTextA(run->window, text); // sent: back when the window has it
        InvalidateRect(run->window, nullptr, TRUE);
    }
    return 0;
}
