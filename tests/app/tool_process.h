#pragma once

#include <windows.h>

#include <string.h>
#include <string>

// A built program, beside this test program's folder: ..\app\<name>.
inline std::string BuiltProgram(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\')) + "\\app\\" + name;
}

// The built tool: ..\app\vesko.exe.
inline std::string ToolPath() {
    return BuiltProgram("vesko.exe");
}

// The tool's resources, loaded as data; released with FreeLibrary.
inline HMODULE ToolResources() {
    return LoadLibraryExA(ToolPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

struct ToolWindowSearch {
    DWORD processId;
    HWND found;
};

inline BOOL CALLBACK MatchToolWindow(HWND hwnd, LPARAM param) {
    ToolWindowSearch* search = (ToolWindowSearch*)param;
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char className[32] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if (owner == search->processId && strcmp(className, "Window") == 0 && IsWindowVisible(hwnd))
        search->found = hwnd;
    return search->found == nullptr;
}

// The visible window of class "Window" that a process shows, or null.
inline HWND FindToolWindow(DWORD processId) {
    ToolWindowSearch search = {processId, nullptr};
    EnumWindows(MatchToolWindow, (LPARAM)&search);
    return search.found;
}
