#pragma once

#include "check/check_burst.h"
#include "check/check_title.h"

#include <stdint.h>

// What vesko-check has seen: its worker counts every burst here, and its title and
// window show it.
struct CheckStatus {
    CheckPath path;
    const char* errorsPath; // --errors FILE, empty for none; not owned
    uint64_t seconds;       // run time when the latest burst ended
    uint64_t bursts;        // finished
    uint64_t errors;        // bursts with a wrong result
    CheckResult latest;     // the latest wrong one; read only where there are errors
    uint64_t unwritten;     // wrong results the errors file did not take
    uint32_t writeError;    // the latest failed write's error code
};

// Counts a burst that ended `seconds` into the run; writeError: 0, or why the errors file
// did not take its line.
void CountBurst(CheckStatus* status, const CheckResult& result, uint64_t seconds,
                uint32_t writeError);

CheckTitle TitleOf(const CheckStatus& status);

const int kStatusLineCount = 4;
const int kStatusLineSize = 400;

// The window's lines: the path, the bursts, the latest wrong result, the errors file.
void StatusLines(const CheckStatus& status, char lines[kStatusLineCount][kStatusLineSize]);
