#pragma once

#include "cores/win_run.h"

// Shared by the supervisor's pieces (setup, polling, cycle mode, end) only.

const DWORD kCloseWaitMs = 5000;

// Reads the tick source: the run's time now.
uint64_t ReadClock(RunClock* clock);

// The watch that tool `tool` feeds; null for an empty slot.
ProcessorWatch* WatchOf(CoresRun* run, int tool);

// Starts tool `tool` on its watch's processor, none for an empty slot; a
// failure to start or pin stops that processor.
void StartTool(CoresRun* run, int tool);

// Cycle mode: tool i's watch is turn `turn`'s i-th processor where that one is
// healthy; the other slots are empty.
void SeatTurn(CoresRun* run, int turn);

// Cycle mode: a tool of the turn failed or ended, so the turn's other tools
// are ended and the next core with a healthy processor gets new ones.
void RestartCycle(CoresRun* run);

// Cycle mode: a turn with a failure is replaced; a turn ends when its time is
// up and each of its processors has finished enough bursts.
void CycleTurn(CoresRun* run);
