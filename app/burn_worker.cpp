#include "app/burn_worker.h"

#include "app/burn_kernel.h"
#include "app/clock.h"
#include "app/format_scratch.h"
#include "app/main_window.h"
#include "app/status_lines.h"
#include "res/resource_ids.h"

std::atomic<int32_t> theStopFlag(0);
HANDLE theWorkerThread = nullptr;

void BuildSeedMatrix(Matrix44& seed) {
    seed.SetIdentity();
    seed.Translate(15.0f, 99.0f, -33.5f);
    seed.Scale(0.5f, 1.5f, 7.0f);
    seed.Rotate(33.0f, 0.0f, 77.0f);
    seed.Rotate(45.0f, 0.0f, 0.0f);
    seed.Translate(-15.0f, -44.0f, 0.0f);
}

StatusLineKind ChooseStatusLine(int seconds) {
    if (seconds % 60 & 2)
        return clockRateLine;
    return seconds / 3600 >= 72 ? daysLine : cyclesLine;
}

const char* StatusLine(int seconds, double tscBefore, double tscAfter, ClockRateSource clockHz) {
    int hours = seconds / 3600;
    switch (ChooseStatusLine(seconds)) {
    case clockRateLine:
        return FormatScratch(kClockRateLineFormat, hours, seconds / 60 % 60, seconds % 60,
                             double(clockHz() * 1e-6));
    case daysLine:
        return FormatScratch(kDaysLineFormat, hours / 24);
    case cyclesLine:
        break;
    }
    return FormatScratch(kCyclesLineFormat, (tscAfter - tscBefore) * 1e-7);
}

namespace {

// The High Priority item reads exactly MF_CHECKED only when checked and not
// highlighted; anything else, a missing menu included, means normal.
bool HighPriorityChosen() {
    HMENU menu = GetMenu(theMainWindow.Handle());
    return GetMenuState(menu, HIGH_PRIORITY_COMMAND, MF_BYCOMMAND) == MF_CHECKED;
}

} // namespace

DWORD WINAPI BurnWorker(LPVOID) {
    Matrix44 seed;
    BuildSeedMatrix(seed);
    int savedThreadPriority = GetThreadPriority(theWorkerThread);
    DWORD savedPriorityClass = GetPriorityClass(GetCurrentProcess());
    if (theStopFlag.load())
        return 0;
    for (;;) {
        if (HighPriorityChosen()) {
            SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
            SetThreadPriority(theWorkerThread, THREAD_PRIORITY_TIME_CRITICAL);
        }
        double tscBefore = double(ReadTimeStampCounter());
        RunBurnKernel(&seed);
        double tscAfter = double(ReadTimeStampCounter());
        SetPriorityClass(GetCurrentProcess(), savedPriorityClass);
        SetThreadPriority(theWorkerThread, savedThreadPriority);

        int seconds = int(SecondsSinceStart());
        theMainWindow.SetText(StatusLine(seconds, tscBefore, tscAfter, MeasureClockHz));
        if (theStopFlag.load())
            return 0;
    }
}
