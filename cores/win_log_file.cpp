#include "cores/win_log_file.h"

#include "check/error_line.h"

#include "util/full_path.h"
#include "cores/log_row.h"
#include "util/file_helpers.h"

#include <stdio.h>
#include <string.h>

namespace {

bool WriteAll(HANDLE file, const char* text, int length) {
    DWORD done = 0;
    return FileWrite(file, text, DWORD(length), &done) && done == DWORD(length);
}

// Whether the file begins with this program's header: rows appended to a log
// of other columns would not match it.
bool HeaderMatches(const char* path) {
    char head[128] = "";
    DWORD read = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, head, DWORD(strlen(kLogHeader)), &read, nullptr);
        CloseHandle(file);
    }
    head[read] = '\0';
    return strcmp(head, kLogHeader) == 0;
}

// Whether the file's last bytes are a line break; true for an empty file.
bool EndsWithLineBreak(const char* path) {
    char tail[2] = {'\r', '\n'};
    DWORD read = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    LONG high = -1;
    if (SetFilePointer(file, -2, &high, FILE_END) != INVALID_SET_FILE_POINTER ||
        GetLastError() == NO_ERROR)
        ReadFile(file, tail, 2, &read, nullptr);
    CloseHandle(file);
    return read < 2 || (tail[0] == '\r' && tail[1] == '\n');
}

// A new or empty log gets the header; an old one must have it.
bool StartWithHeader(RunLog* log, char* error, int size) {
    DWORD high = 0;
    bool empty = GetFileSize(log->file, &high) == 0 && high == 0;
    if (!empty && !HeaderMatches(log->path)) {
        snprintf(error, size_t(size),
                 "The log %s has other columns than this version writes: choose another file.",
                 log->path);
        return false;
    }
    // Rows go on after a row cut in the middle on a line of their own.
    const char* first = empty ? kLogHeader : EndsWithLineBreak(log->path) ? "" : "\r\n";
    if (*first && !WriteAll(log->file, first, int(strlen(first)))) {
        snprintf(error, size_t(size), "The log %s cannot be written: error %lu.", log->path,
                 GetLastError());
        return false;
    }
    return true;
}

} // namespace

HANDLE StandardOutput() {
    static HANDLE output = INVALID_HANDLE_VALUE; // looked for once
    if (output != INVALID_HANDLE_VALUE)
        return output;
    output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE && GetFileType(output) != FILE_TYPE_UNKNOWN)
        return output;
    output = nullptr;
    // A GUI program started from a console gets no handle of its own.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        output = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
        if (output == INVALID_HANDLE_VALUE)
            output = nullptr;
    }
    return output;
}

void DefaultLogName(const SYSTEMTIME& utc, char* name, int size) {
    snprintf(name, size_t(size), "vesko-cores-%04u%02u%02u-%02u%02u%02u.csv", utc.wYear, utc.wMonth,
             utc.wDay, utc.wHour, utc.wMinute, utc.wSecond);
}

BOOL OpenRunLog(RunLog* log, const char* path, HANDLE echo, char* error, int size) {
    log->failure[0] = '\0';
    log->echo = echo;
    FullPathOrAsGiven(path, log->path, sizeof log->path);
    // Others may read the log while it grows; every write goes to its end.
    log->file = CreateFileA(log->path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log->file == INVALID_HANDLE_VALUE) {
        log->file = nullptr;
        snprintf(error, size_t(size), "The log %s cannot be opened: error %lu.", log->path,
                 GetLastError());
        return FALSE;
    }
    if (!StartWithHeader(log, error, size)) {
        CloseRunLog(log);
        return FALSE;
    }
    EchoLine(log, kLogHeader);
    return TRUE;
}

void WriteRunLog(RunLog* log, const char* line, int length) {
    DWORD done = 0;
    if (log->file && !(FileWrite(log->file, line, DWORD(length), &done) && done == DWORD(length))) {
        if (done)
            snprintf(log->failure, sizeof log->failure,
                     "the log stopped: a write was cut short after %lu of %d bytes", done, length);
        else
            snprintf(log->failure, sizeof log->failure,
                     "the log stopped: a write failed with error %lu", GetLastError());
        CloseHandle(log->file);
        log->file = nullptr;
    }
    if (log->echo)
        WriteAll(log->echo, line, length); // a mirror: its failures cost nothing
}

void EchoLine(RunLog* log, const char* line) {
    if (log->echo)
        WriteAll(log->echo, line, int(strlen(line)));
}

BOOL ReadRunLogBack(const char* path, ResumeLog* back, char* error, int size) {
    StartResumeLog(back);
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        snprintf(error, size_t(size), "The log %s cannot be read: error %lu.", path,
                 GetLastError());
        return FALSE;
    }
    static char chunk[65536], line[4096]; // a row is at most about 1,300 bytes
    int used = 0;
    bool tooLong = false;
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read) {
        for (DWORD i = 0; i < read; ++i) {
            char c = chunk[i];
            if (c == '\n') { // a line, without its CRs; one too long is no row
                while (used && line[used - 1] == '\r')
                    --used;
                line[tooLong ? 0 : used] = '\0';
                ReadResumeLine(back, line);
                used = 0, tooLong = false;
            } else if (used + 1 < int(sizeof line)) {
                line[used++] = c;
            } else {
                tooLong = true;
            }
        }
    }
    CloseHandle(file);
    EndResumeLog(back, used > 0 || tooLong);
    return TRUE;
}

bool CheckErrorsPath(const char* logPath, int tool, char* path, int size) {
    size_t length = strlen(logPath);
    int stem =
        length >= 4 && _stricmp(logPath + length - 4, ".csv") == 0 ? int(length) - 4 : int(length);
    int written = snprintf(path, size_t(size), "%.*s-errors-%d.csv", stem, logPath, tool + 1);
    return written > 0 && written < size;
}

uint64_t FileLength(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

bool ReadLatestCheckError(const char* path, uint64_t from, CheckResult* wrong) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char tail[4 * kErrorLineCapacity]; // the latest whole line and more
    LARGE_INTEGER length = {}, at;
    GetFileSizeEx(file, &length); // the open file's own length
    uint64_t start = uint64_t(length.QuadPart) > sizeof tail ? length.QuadPart - sizeof tail : 0;
    at.QuadPart = LONGLONG(start > from ? start : from);
    DWORD read = 0;
    bool readable = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                    ReadFile(file, tail, sizeof tail, &read, nullptr);
    CloseHandle(file);
    return readable && ParseLatestErrorLine(tail, int(read), wrong);
}

void CloseRunLog(RunLog* log) {
    if (log->file)
        CloseHandle(log->file);
    log->file = nullptr;
}
