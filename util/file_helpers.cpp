#include "util/file_helpers.h"

BOOL FileRead(HANDLE fileHandle, void* contents, DWORD count, DWORD* done) {
    DWORD dropped; // ReadFile needs somewhere to put the count without overlap
    return ReadFile(fileHandle, contents, count, done ? done : &dropped, nullptr);
}

BOOL FileWrite(HANDLE fileHandle, const void* contents, DWORD count, DWORD* done) {
    DWORD dropped;
    return WriteFile(fileHandle, contents, count, done ? done : &dropped, nullptr);
}

DWORD FileTell(HANDLE fileHandle) {
    return SetFilePointer(fileHandle, 0, nullptr, FILE_CURRENT);
}
