#include "cores/win_run_parts.h"

#include <stdio.h>

namespace {

// The next processor after the current one that has not failed; -1 when
// there is none.
int NextHealthy(const CoresRun& run) {
    for (int step = 1; step <= run.judge.count; ++step) {
        int i = (run.watchOf[0] + step) % run.judge.count;
        if (!Failed(run.judge.watches[i]) && run.judge.watches[i].state != closedState)
            return i;
    }
    return -1;
}

void NextTurnDue(CoresRun* run) {
    run->nextMoveMs = run->clock.nowMs + uint64_t(run->options.cycleSeconds) * 1000;
}

// The tool moves on to the next healthy processor that takes it.
void MoveCycle(CoresRun* run) {
    NextTurnDue(run);
    for (int next = NextHealthy(*run); next >= 0 && next != run->watchOf[0];
         next = NextHealthy(*run)) {
        ProcessorWatch* from = WatchOf(run, 0);
        ProcessorWatch* to = &run->judge.watches[next];
        if (MoveTool(&run->tools[0], to->processor)) {
            NoteMove(&run->judge, from, to, run->clock.nowMs);
            run->watchOf[0] = next;
            return;
        }
        char error[80];
        snprintf(error, sizeof error, "cannot pin the tool to processor %d: error %lu",
                 to->processor, GetLastError());
        NoteFailure(&run->judge, to, run->clock.nowMs, error);
    }
}

} // namespace

void RestartCycle(CoresRun* run) {
    NoteToolEnded(WatchOf(run, 0), run->clock.nowMs);
    KillTool(&run->tools[0]);
    ReleaseTool(&run->tools[0]);
    for (int next = NextHealthy(*run); next >= 0 && !run->tools[0].process;
         next = NextHealthy(*run)) {
        run->watchOf[0] = next;
        StartTool(run, 0);
    }
    NextTurnDue(run);
}

void CycleTurn(CoresRun* run) {
    ProcessorWatch* watch = WatchOf(run, 0);
    if (!run->tools[0].process)
        return;
    if (watch->state == hungState)
        RestartCycle(run);
    else if (NextHealthy(*run) != run->watchOf[0] &&
             TurnMayEnd(&run->judge, watch, run->nextMoveMs, run->clock.nowMs))
        MoveCycle(run);
}
