#include "check/win_errors_file.h"

#include "check/error_line.h"

HANDLE OpenErrorsFile(const char* path) {
    // Appending writes land at the end whole, whoever else has the file open.
    return CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

DWORD AppendErrorLine(HANDLE file, const CheckResult& wrong) {
    char line[kErrorLineCapacity];
    int length = FormatErrorLine(wrong, line, sizeof line);
    DWORD written = 0;
    if (!WriteFile(file, line, DWORD(length), &written, nullptr))
        return GetLastError();
    return written == DWORD(length) ? 0 : ERROR_HANDLE_DISK_FULL;
}
