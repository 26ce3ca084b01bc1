#pragma once

#include <windows.h>

#include <string>

// The built tool, beside this test program's folder: ..\app\vesko.exe.
inline std::string ToolPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\')) + "\\app\\vesko.exe";
}

// The tool's resources, loaded as data; released with FreeLibrary.
inline HMODULE ToolResources() {
    return LoadLibraryExA(ToolPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}
