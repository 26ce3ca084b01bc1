#include "cores/win_run_parts.h"

#include <stdio.h>

namespace {

bool Healthy(const ProcessorWatch& watch) {
    return !Failed(watch) && watch.state != closedState;
}

// The watch tool `tool` takes in turn `turn`: the core's processor in its place
// where that one is healthy; -1: none.
int PlaceOf(const CoresRun& run, int turn, int tool) {
    const CoreTurn& core = run.turns[turn];
    if (tool >= core.count || !Healthy(run.judge.watches[core.watches[tool]]))
        return -1;
    return core.watches[tool];
}

// The next core after the current one with a healthy processor, the current one
// last; -1 when there is none.
int NextHealthy(const CoresRun& run) {
    for (int step = 1; step <= run.turnCount; ++step) {
        int turn = (run.turn + step) % run.turnCount;
        for (int tool = 0; tool < run.toolCount; ++tool)
            if (PlaceOf(run, turn, tool) >= 0)
                return turn;
    }
    return -1;
}

// A processor of the turn failed since its tool came: only healthy ones get one.
bool TurnFailed(const CoresRun& run) {
    for (int tool = 0; tool < run.toolCount; ++tool)
        if (run.watchOf[tool] >= 0 && Failed(run.judge.watches[run.watchOf[tool]]))
            return true;
    return false;
}

// Every processor of the turn has had its time and bursts; each is asked, so
// the judge notes a stretched turn as soon as it can.
bool TurnOver(CoresRun* run) {
    bool over = true;
    int seated = 0;
    for (int tool = 0; tool < run->toolCount; ++tool)
        if (ProcessorWatch* watch = WatchOf(run, tool)) {
            ++seated;
            over = TurnMayEnd(&run->judge, watch, run->nextMoveMs, run->clock.nowMs) && over;
        }
    return seated && over;
}

void NextTurnDue(CoresRun* run) {
    run->nextMoveMs = run->clock.nowMs + uint64_t(run->options.cycleSeconds) * 1000;
}

// The slot is emptied: its tool ended, its processor left waiting (or stopped, if hung).
void EndTool(CoresRun* run, int tool) {
    if (ProcessorWatch* watch = WatchOf(run, tool))
        NoteToolEnded(watch, run->clock.nowMs);
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
            NoteMove(&run->judge, WatchOf(run, tool), target, run->clock.nowMs);
            run->watchOf[tool] = to;
            return;
        }
        char error[80];
        snprintf(error, sizeof error, "cannot pin the tool to processor %d: error %lu",
                 target->processor, GetLastError());
        NoteFailure(&run->judge, target, run->clock.nowMs, error);
    }
    EndTool(run, tool);
    run->watchOf[tool] = to;
    if (target && Healthy(*target))
        StartTool(run, tool);
}

// The tools move on to core `next`.
void MoveCycle(CoresRun* run, int next) {
    NextTurnDue(run);
    for (int tool = 0; tool < run->toolCount; ++tool)
        MoveSlot(run, tool, PlaceOf(*run, next, tool));
    run->turn = next;
    if (TurnFailed(*run)) // a tool could not be pinned there
        RestartCycle(run);
}

} // namespace

void SeatTurn(CoresRun* run, int turn) {
    run->turn = turn;
    for (int tool = 0; tool < run->toolCount; ++tool)
        run->watchOf[tool] = PlaceOf(*run, turn, tool);
}

void RestartCycle(CoresRun* run) {
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
    NextTurnDue(run);
}

void CycleTurn(CoresRun* run) {
    if (TurnFailed(*run)) {
        RestartCycle(run);
        return;
    }
    int next = NextHealthy(*run);
    if (next >= 0 && next != run->turn && TurnOver(run))
        MoveCycle(run, next);
}
