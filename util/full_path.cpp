#include "util/full_path.h"

#include <windows.h>

#include <stdio.h>

void FullPathOrAsGiven(const char* path, char* full, int size) {
    // A full path longer than the buffer is not written into it.
    DWORD length = GetFullPathNameA(path, DWORD(size), full, nullptr);
    if (!length || length >= DWORD(size))
        snprintf(full, size_t(size), "%s", path);
}
