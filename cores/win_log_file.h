#pragma once

#include "cores/resume_log.h"

#include <windows.h>

// The run's CSV log: one WriteFile per row as it happens, echoed to the
// standard output where there is one. A write that fails stops the log, not
// the run; `failure` then says what happened, for the window and the verdict.
struct RunLog {
    HANDLE file;         // owned
    HANDLE echo;         // the standard output, or null; not owned
    char path[MAX_PATH]; // full path
    char failure[200];   // empty while every row was written
};

// Opens `path` for appending, creating it; writes the header when the file is
// new or empty, and a line break first where a file ends in the middle of a
// row (the machine stopped during a write). Rows are echoed to `echo` (may be
// null). FALSE with a sentence in `error`.
BOOL OpenRunLog(RunLog* log, const char* path, HANDLE echo, char* error, int size);

// Reads the log at `path` line by line into `back` (started here). FALSE
// with a sentence in `error` when the file cannot be read.
BOOL ReadRunLogBack(const char* path, ResumeLog* back, char* error, int size);

// Writes one line to the log (while it works) and to the standard output.
void WriteRunLog(RunLog* log, const char* line, int length);

// Prints a line to the standard output only.
void EchoLine(RunLog* log, const char* line);

void CloseRunLog(RunLog* log);

// "vesko-cores-20261208-130455.csv" for a start at that UTC time.
void DefaultLogName(const SYSTEMTIME& utc, char* name, int size);

// The standard output when the program has one (a console, a pipe, a file,
// or the parent's console), else null; looked for at the first call.
HANDLE StandardOutput();
