#include "cores/win_tool_process.h"

#include <stdio.h>

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM param) {
    WindowSearch* search = (WindowSearch*)param;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && !GetWindow(window, GW_OWNER))
        search->found = window;
    return search->found == nullptr;
}

DWORD_PTR ProcessorMask(int processor) {
    return DWORD_PTR(1) << processor;
}

} // namespace

BOOL StartPinnedTool(const char* path, const char* arguments, int processor, uint64_t now,
                     ToolProcess* tool, char* error, int size) {
    *tool = {};
    tool->processor = processor;
    tool->startedMs = now;
    char commandLine[3 * MAX_PATH];
    snprintf(commandLine, sizeof commandLine, "\"%s\"%s%s", path, *arguments ? " " : "", arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNOACTIVATE; // the tools do not take the focus from each other
    PROCESS_INFORMATION started;
    if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &started)) {
        snprintf(error, size_t(size), "cannot start the tool: error %lu", GetLastError());
        return FALSE;
    }
    if (!SetProcessAffinityMask(started.hProcess, ProcessorMask(processor))) {
        snprintf(error, size_t(size), "cannot pin the tool to processor %d: error %lu", processor,
                 GetLastError());
        TerminateProcess(started.hProcess, 1);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        return FALSE;
    }
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    tool->process = started.hProcess;
    tool->processId = started.dwProcessId;
    return TRUE;
}

BOOL MoveTool(ToolProcess* tool, int processor) {
    if (!SetProcessAffinityMask(tool->process, ProcessorMask(processor)))
        return FALSE;
    tool->processor = processor;
    return TRUE;
}

bool FindToolWindow(ToolProcess* tool) {
    if (tool->window || !tool->process)
        return false;
    tool->window = FindProcessWindow(tool->processId);
    return tool->window != nullptr;
}

ToolProcess TakeTool(ToolProcess* tool) {
    ToolProcess taken = *tool;
    *tool = {};
    return taken;
}

HWND FindProcessWindow(DWORD processId) {
    WindowSearch search = {processId, nullptr};
    EnumWindows(MatchProcessWindow, (LPARAM)&search);
    return search.found;
}

BOOL ToolEnded(const ToolProcess& tool, DWORD* exitCode) {
    if (!tool.process || WaitForSingleObject(tool.process, 0) != WAIT_OBJECT_0)
        return FALSE;
    return GetExitCodeProcess(tool.process, exitCode);
}

void CloseTools(ToolProcess* tools, int count, DWORD timeoutMs, bool* terminated) {
    for (int i = 0; i < count; ++i) {
        terminated[i] = false;
        if (tools[i].process && !tools[i].window)
            tools[i].window = FindProcessWindow(tools[i].processId);
        if (tools[i].window)
            PostMessageA(tools[i].window, WM_CLOSE, 0, 0);
    }
    DWORD start = GetTickCount();
    for (int i = 0; i < count; ++i) {
        if (!tools[i].process)
            continue;
        DWORD waited = GetTickCount() - start;
        DWORD left = waited < timeoutMs ? timeoutMs - waited : 0;
        if (WaitForSingleObject(tools[i].process, left) == WAIT_TIMEOUT) {
            TerminateProcess(tools[i].process, 1);
            terminated[i] = true;
        }
    }
}

void KillTool(ToolProcess* tool) {
    if (tool->process && WaitForSingleObject(tool->process, 0) == WAIT_TIMEOUT)
        TerminateProcess(tool->process, 1);
}

void ReleaseTool(ToolProcess* tool) {
    if (tool->process)
        CloseHandle(tool->process);
    tool->process = nullptr;
    tool->window = nullptr;
}
