#pragma once

#include <windows.h>

#include <stdint.h>

// One copy of the tool as a process of its own, pinned to one processor.
struct ToolProcess {
    HANDLE process; // owned; null when there is none
    DWORD processId;
    HWND window; // its top-level window once found; not owned
    int processor;
    uint64_t startedMs; // the run's time at the start
};

// Starts the tool suspended, gives it a one-processor mask and only then
// resumes it, so none of its instructions runs elsewhere; `arguments` (may be
// empty) follow its path on its command line; `now` is the run's time. FALSE with the reason in
// `error` (nothing is left running then).
BOOL StartPinnedTool(const char* path, const char* arguments, int processor, uint64_t now,
                     ToolProcess* tool, char* error, int size);

// Looks for the tool's window while it has none; true when it was just found.
bool FindToolWindow(ToolProcess* tool);

// The tool as it is, its slot left empty: the handle moves with it.
ToolProcess TakeTool(ToolProcess* tool);

// Moves a running tool to another processor; FALSE when the mask cannot be set.
BOOL MoveTool(ToolProcess* tool, int processor);

// The visible, unowned top-level window of a process, or null.
HWND FindProcessWindow(DWORD processId);

// TRUE once the process has ended, with its exit code.
BOOL ToolEnded(const ToolProcess& tool, DWORD* exitCode);

// Asks every tool's window to close (WM_CLOSE) and waits up to timeoutMs for
// them all; those still running are terminated and marked in `terminated`.
void CloseTools(ToolProcess* tools, int count, DWORD timeoutMs, bool* terminated);

// Terminates a tool that is still running.
void KillTool(ToolProcess* tool);

// Closes the process handle.
void ReleaseTool(ToolProcess* tool);
