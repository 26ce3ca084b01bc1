#include "cores/win_autostart.h"
#include "cores/win_run_parts.h"

#include <stdio.h>
#include <string.h>

namespace {

// The one place the two modes differ: the map from tools to watches. A
// resumed run gives tools only to the processors still healthy.
void MapTools(CoresRun* run) {
    if (run->judge.cycling) { // --threads, or fewer where no core has as many
        PlanCycle(&run->cycle, run->judge);
        run->toolCount = 0;
        for (int t = 0; t < run->cycle.count; ++t)
            if (run->cycle.turns[t].count > run->toolCount)
                run->toolCount = run->cycle.turns[t].count;
        if (run->resume)
            SeatResumedTurn(run);
        else
            SeatTurn(run, 0);
    } else {
        run->toolCount = run->judge.count;
        for (int i = 0; i < run->toolCount; ++i)
            run->watchOf[i] = Healthy(run->judge.watches[i]) ? i : -1;
    }
}

// The rows a run begins with: its options and where its processors sit; or,
// going on, what the log held.
void WriteOpeningRows(CoresRun* run) {
    if (run->resume) {
        WriteResumedRows(&run->judge, *run->resume);
        return;
    }
    EmitRow(run->judge, MakeLogRow(0, -1, runEvent, "%s", run->runOptions));
    WriteTopologyRows(run->judge, run->topologyKnown ? &run->topology : nullptr, 0);
}

// The resume command, with short paths where the full ones make it longer
// than Windows runs at logon; false when it is longer all the same.
bool ResumeCommand(const CoresRun& run, char* command, int size) {
    char program[MAX_PATH], log[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    if (!length || length >= sizeof program)
        return false;
    snprintf(log, sizeof log, "%s", run.log.path);
    for (int shortened = 0; shortened < 2; ++shortened) {
        snprintf(command, size_t(size), "\"%s\" --resume --log \"%s\"", program, log);
        if (strlen(command) <= kLogonCommandLimit)
            return true;
        GetShortPathNameA(program, program, sizeof program); // left as it is where it fails
        GetShortPathNameA(log, log, sizeof log);
    }
    return false;
}

} // namespace

void RegisterAutostart(CoresRun* run) {
    char command[2 * MAX_PATH + 32];
    long error = 0;
    bool fits = ResumeCommand(*run, command, sizeof command);
    run->autostarting = fits && RegisterAtLogon(command, &error);
    if (!fits)
        EmitRow(run->judge, MakeLogRow(run->clock.nowMs, -1, noteEvent,
                                       "--autostart: the resume command is longer than the %u "
                                       "characters Windows runs at logon: choose a log in a "
                                       "shorter path",
                                       unsigned(kLogonCommandLimit)));
    else if (!run->autostarting)
        EmitRow(run->judge, MakeLogRow(run->clock.nowMs, -1, noteEvent,
                                       "--autostart: the resume command could not be registered "
                                       "for the next logon: error %ld",
                                       error));
}

void BeginRun(CoresRun* run, RECT toolArea) {
    run->toolArea = toolArea;
    StartClock(&run->clock, run->clock.awake, run->clock.wall,
               run->resume ? run->resume->lastMs : 0);
    // Sleep would stop every tool: the machine stays awake while the run lasts.
    SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    WriteOpeningRows(run);
    MapTools(run);
    if (run->options.autostart) // again at each part: Windows deletes it as it runs it
        RegisterAutostart(run);
    for (int i = 0; i < run->toolCount; ++i)
        StartTool(run, i);
    delete run->resume; // read back; the run goes on from the judge's watches
    run->resume = nullptr;
}
