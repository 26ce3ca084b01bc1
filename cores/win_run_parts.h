#pragma once

#include "cores/win_run.h"

// Shared by the supervisor's pieces (setup, polling, cycle mode, end) only.

const DWORD kCloseWaitMs = kCloseWaitSeconds * 1000;

// With --resume: reads the log's last run and takes its options (the log
// stays the one given). False with the message to show (exit code 2) when
// there is no run to go on with; nothing is written then.
bool TakeResumedRun(CoresRun* run, char* message, int size);

// The watch that tool `tool` feeds; null for an empty slot.
ProcessorWatch* WatchOf(CoresRun* run, int tool);

// Starts tool `tool` on its watch's processor, none for an empty slot; a
// failure to start or pin stops that processor.
void StartTool(CoresRun* run, int tool);

// Cycle mode: tool i's watch is turn `turn`'s i-th processor where that one is
// healthy; the other slots are empty. The turn begins now.
void SeatTurn(CoresRun* run, int turn);

// Cycle mode: a tool of the turn failed or ended, so the turn's other tools
// are ended and the next core with a healthy processor gets new ones.
void RestartCycle(CoresRun* run);

// Cycle mode: a turn with a failure is replaced; a turn ends when its time is
// up and each of its processors has finished enough bursts.
void CycleTurn(CoresRun* run);

// Cycle mode: a core still owes the turn that places a failure at a turn's
// edge on one core; the run does not end at --duration before it.
bool RecheckOwed(const CoresRun& run);

// A resumed cycle run goes on at the core after the one whose turn the
// machine stopped in, a core owed a second turn first.
void SeatResumedTurn(CoresRun* run);

// A healthy processor can be tested: it has not failed nor been closed by hand.
bool Healthy(const ProcessorWatch& watch);

// With --autostart, the resume command registered for the next logon, or a
// note row saying why it could not be.
void RegisterAutostart(CoresRun* run);
