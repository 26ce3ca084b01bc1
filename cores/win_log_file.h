#pragma once

#include "check/check_burst.h"

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

// Where the check workload started as tool `tool` (0 on) writes its wrong
// results: beside the log, "run.csv" giving "run-errors-1.csv"; false where
// that path does not fit in `size`.
bool CheckErrorsPath(const char* logPath, int tool, char* path, int size);

// The file's length in bytes; 0 where it is not there.
uint64_t FileLength(const char* path);

// The latest whole wrong-result line written to `path` past its first `from`
// bytes (those of earlier processes); false where there is none.
bool ReadLatestCheckError(const char* path, uint64_t from, CheckResult* wrong);

// "vesko-cores-20261208-130455.csv" for a start at that UTC time.
void DefaultLogName(const SYSTEMTIME& utc, char* name, int size);

// The standard output when the program has one (a console, a pipe, a file,
// or the parent's console), else null; looked for at the first call.
HANDLE StandardOutput();
