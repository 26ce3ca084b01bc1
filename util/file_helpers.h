#pragma once

#include <windows.h>

// Block transfers and the position of a file the caller opened and closes.

// ReadFile without overlap; done, when not null, receives the bytes read. A
// short read is not a failure here. The ReadFile result.
BOOL FileRead(HANDLE fileHandle, void* contents, DWORD count, DWORD* done);
// WriteFile without overlap; done, when not null, receives the bytes written.
// Results may be combined with a bitwise and. The WriteFile result.
BOOL FileWrite(HANDLE fileHandle, const void* contents, DWORD count, DWORD* done);
// The low 32 bits of the current position, moving nothing;
// INVALID_SET_FILE_POINTER on failure.
DWORD FileTell(HANDLE fileHandle);
