#pragma once

#include "check/check_burst.h"

#include <windows.h>

// The errors file (--errors FILE), lines as check/error_line.h writes them.

// Opens `path` for appending, creating it, readable by others while open (Vesko Cores
// reads it during the run). The handle is the caller's to close; INVALID_HANDLE_VALUE on
// failure, with GetLastError's reason.
HANDLE OpenErrorsFile(const char* path);

// Appends the wrong result's line with one WriteFile; 0, or the error code where the line
// was not written whole.
DWORD AppendErrorLine(HANDLE file, const CheckResult& wrong);
