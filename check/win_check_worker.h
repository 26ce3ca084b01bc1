#pragma once

#include <windows.h>

// Thread routine over a CheckRun: bursts numbered from 0, one after another on the run's
// path, each checked and recorded (a wrong one too: the run goes on), and the window's title
// and status updated after each, until the run's stop is set. Returns 0.
DWORD WINAPI CheckWorker(LPVOID run);
