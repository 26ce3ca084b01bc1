#pragma once

#include <windows.h>

#include <string.h>
#include <string>

// A built program, beside this test program's folder: ..\app\<name>.
inline std::string BuiltProgram(const char* name) {
    char path[MAX_PATH];
    std::string folder(path, GetModuleFileNameA(nullptr, path, sizeof path));
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

// The visible window of a class ("Window", the tool's) that a process shows, or null.
inline HWND FindToolWindow(DWORD processId, const char* windowClass = "Window") {
    for (HWND found = nullptr; (found = FindWindowExA(nullptr, found, windowClass, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        char className[32] = ""; // exactly that class: the search ignores case
        GetClassNameA(found, className, sizeof className);
        if (owner == processId && strcmp(className, windowClass) == 0 && IsWindowVisible(found))
            return found;
    }
    return nullptr;
}
