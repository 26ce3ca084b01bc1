#pragma once

#include <windows.h>

// The open and save file dialogs. Each keeps the last path its dialog chose in
// its own static buffer, which the next call of that dialog starts from. Not
// re-entrant: one thread at a time.

extern char theOpenFileName[260];
extern char theSaveFileName[261]; // the last byte always stays a terminator

// filter: pairs of description and pattern, each ended by a zero byte, the
// list by an extra one. Returns theOpenFileName, or null when cancelled or
// failed. multiSelect non-zero allows several files, in the system's form.
char* ChooseOpenFile(HWND owner, const char* filter, const char* defaultExtension, int multiSelect);
// Starts with initialName when given (cut to 260 characters; it may point into
// theSaveFileName itself), else with the last saved path. No overwrite
// prompt. Returns theSaveFileName, or null.
char* ChooseSaveFile(HWND owner, const char* filter, const char* defaultExtension,
                     const char* initialName);
