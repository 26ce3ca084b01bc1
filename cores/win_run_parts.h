#pragma once

#include "cores/win_run.h"

// Shared by the supervisor's pieces (setup, polling, cycle mode, end) only.

const DWORD kCloseWaitMs = 5000;

// Reads the tick source: the run's time now.
uint64_t ReadClock(RunClock* clock);

// The watch that tool `tool` feeds.
ProcessorWatch* WatchOf(CoresRun* run, int tool);

// Starts tool `tool` on its watch's processor; a failure to start or pin
// stops that processor.
void StartTool(CoresRun* run, int tool);

// Cycle mode: a tool that failed is replaced by a new one on the next
// processor that has not failed.
void RestartCycle(CoresRun* run);

// Cycle mode: a hung tool is replaced; a turn ends when its time is up and its
// processor has finished enough bursts.
void CycleTurn(CoresRun* run);
