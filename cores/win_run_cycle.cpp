#include "cores/win_run_parts.h"

#include <stdio.h>

namespace {

// The watch tool `tool` takes in turn `turn`: the core's processor in its place
// where that one is healthy; -1: none.
int PlaceOf(const CoresRun& run, int turn, int tool) {
    const CoreTurn& core = run.cycle.turns[turn];
    if (tool >= core.count || !Healthy(run.judge.watches[core.watches[tool]]))
        return -1;
    return core.watches[tool];
}

bool HasHealthy(const CoresRun& run, int turn) {
    for (int tool = 0; tool < run.toolCount; ++tool)
        if (PlaceOf(run, turn, tool) >= 0)
            return true;
    return false;
}

// A turn owed again first; else the next core after the current one with a
// healthy processor, the current one last; -1 when there is none.
int NextHealthy(const CoresRun& run) {
    if (run.cycle.recheck >= 0 && HasHealthy(run, run.cycle.recheck))
        return run.cycle.recheck;
    for (int step = 1; step <= run.cycle.count; ++step) {
        int turn = (run.cycle.turn + step) % run.cycle.count;
        if (HasHealthy(run, turn))
            return turn;
    }
    return -1;
}

// A tool of the turn failed in its first burst after moving from another
// core: that core gets one more turn, so the fault is placed on one core.
void OweRecheck(CoresRun* run) {
    for (int tool = 0; tool < run->toolCount; ++tool) {
        const ProcessorWatch* watch = WatchOf(run, tool);
        if (watch && Failed(*watch) && watch->failure.movedFrom >= 0 &&
            watch->failure.atMs >= run->cycle.startMs)
            run->cycle.recheck = TurnOfProcessor(run->cycle, run->judge, watch->failure.movedFrom);
    }
}

// A processor of the turn failed since its tool came: only healthy ones get one.
bool TurnFailed(const CoresRun& run) {
    for (int tool = 0; tool < run.toolCount; ++tool)
        if (run.watchOf[tool] >= 0 && Failed(run.judge.watches[run.watchOf[tool]]))
            return true;
    return false;
}

// Every processor of the turn has had its time and bursts.
bool TurnOver(const CoresRun& run) {
    int seated = 0;
    for (int tool = 0; tool < run.toolCount; ++tool)
        if (run.watchOf[tool] >= 0) {
            ++seated;
            if (!TurnDoneOn(run.cycle, run.judge.watches[run.watchOf[tool]], run.clock.nowMs))
                return false;
        }
    return seated > 0;
}

// A turn past its time is noted as soon as the note can say something.
void NoteStretch(CoresRun* run) {
    for (int tool = 0; tool < run->toolCount; ++tool)
        if (const ProcessorWatch* watch = WatchOf(run, tool))
            NoteStretchedTurn(&run->cycle, run->judge, *watch, run->clock.nowMs);
}

// The slot is emptied: its tool ended, its processor left waiting (or stopped, if hung).
void EndTool(CoresRun* run, int tool) {
    if (ProcessorWatch* watch = WatchOf(run, tool))
        TellToolEnded(watch, run->clock.nowMs);
    KillTool(&run->tools[tool]);
    ReleaseTool(&run->tools[tool]);
    run->watchOf[tool] = -1;
}

// Tool `tool` moves onto watch `to` of the next core; it is ended where it has
// no place there (to is -1), and one is started where the slot had none.
void MoveSlot(CoresRun* run, int tool, int to) {
    ProcessorWatch* target = to >= 0 ? &run->judge.watches[to] : nullptr;
    if (run->tools[tool].process && target) {
        if (MoveTool(&run->tools[tool], target->processor)) {
            TellMove(&run->judge, WatchOf(run, tool), target, run->clock.nowMs);
            run->watchOf[tool] = to;
            return;
        }
        char error[80];
        snprintf(error, sizeof error, "cannot pin the tool to processor %d: error %lu",
                 target->processor, GetLastError());
        TellFailure(&run->judge, target, run->clock.nowMs, error);
    }
    EndTool(run, tool);
    run->watchOf[tool] = to;
    if (target && Healthy(*target))
        StartTool(run, tool);
}

uint64_t TurnLengthMs(const CoresRun& run) {
    return uint64_t(run.options.cycleSeconds) * 1000;
}

// The tools move on to core `next`.
void MoveCycle(CoresRun* run, int next) {
    BeginTurn(&run->cycle, next, run->clock.nowMs, TurnLengthMs(*run));
    for (int tool = 0; tool < run->toolCount; ++tool)
        MoveSlot(run, tool, PlaceOf(*run, next, tool));
    if (TurnFailed(*run)) // a tool could not be pinned there
        RestartCycle(run);
}

} // namespace

void SeatTurn(CoresRun* run, int turn) {
    BeginTurn(&run->cycle, turn, run->clock.nowMs, TurnLengthMs(*run));
    for (int tool = 0; tool < run->toolCount; ++tool)
        run->watchOf[tool] = PlaceOf(*run, turn, tool);
}

bool Healthy(const ProcessorWatch& watch) {
    return !Failed(watch) && watch.state != closedState;
}

void RestartCycle(CoresRun* run) {
    OweRecheck(run);
    // Each pass that fails again stops a processor more, so the passes end.
    for (bool failed = true; failed;) {
        for (int tool = 0; tool < run->toolCount; ++tool)
            EndTool(run, tool);
        int next = NextHealthy(*run);
        if (next < 0)
            break;
        SeatTurn(run, next);
        for (int tool = 0; tool < run->toolCount; ++tool)
            StartTool(run, tool);
        failed = TurnFailed(*run);
    }
}

void CycleTurn(CoresRun* run) {
    if (TurnFailed(*run)) {
        RestartCycle(run);
        return;
    }
    int next = NextHealthy(*run);
    if (next < 0 || next == run->cycle.turn) // nowhere else to go
        return;
    NoteStretch(run);
    if (TurnOver(*run))
        MoveCycle(run, next);
}

bool RecheckOwed(const CoresRun& run) {
    if (!run.judge.cycling)
        return false;
    return (run.cycle.recheck >= 0 && HasHealthy(run, run.cycle.recheck)) ||
           (run.cycle.rechecking && !TurnOver(run));
}

void SeatResumedTurn(CoresRun* run) {
    ResumeCycle(&run->cycle, run->judge, *run->resume);
    int next = NextHealthy(*run);
    if (next >= 0) {
        SeatTurn(run, next);
        return;
    }
    for (int tool = 0; tool < run->toolCount; ++tool)
        run->watchOf[tool] = -1;
}
