#pragma once

#include "check/check_status.h"

#include <windows.h>

#include <atomic>
#include <stdint.h>

// One run of vesko-check, shared by the window's thread and the worker's.
struct CheckRun {
    HANDLE errorsFile; // INVALID_HANDLE_VALUE for none; not owned (the entry routine closes it)
    HWND window;       // shows the title and the status; not owned
    std::atomic<int32_t> stop; // set once, 0 to 1, by the window's thread; read after each burst
    CRITICAL_SECTION lock;     // over `status`
    CheckStatus status;
};

// Appends a wrong result's line to the errors file, then counts the burst, ended `seconds`
// into the run; the title that shows it. The line comes first: a reader that sees the count
// grow finds it there.
CheckTitle RecordBurst(CheckRun* run, const CheckResult& result, uint64_t seconds);

// A copy of the status, taken under the lock.
CheckStatus ReadStatus(CheckRun* run);
