#include "cores/win_run_parts.h"

#include "cores/win_autostart.h"
#include "util/full_path.h"

#include <stdio.h>

namespace {

// Closes every tool; those terminated after the wait, and those that ended
// with an error since the last poll or instead of closing, are told to the judge.
void CloseAllTools(CoresRun* run) {
    bool terminated[kMaxProcessors];
    CloseTools(run->tools, run->toolCount, kCloseWaitMs, terminated);
    uint64_t now = ReadClock(&run->clock); // after the closing, which may have taken 5 s
    for (int i = 0; i < run->toolCount; ++i) {
        ProcessorWatch* watch = WatchOf(run, i);
        DWORD code;
        if (!watch) // an empty slot
            continue;
        if (terminated[i])
            TellTerminated(watch);
        else if (ToolEnded(run->tools[i], &code) && code != 0)
            TellExit(&run->judge, watch, code, now);
        ReleaseTool(&run->tools[i]);
    }
}

// Writes the chart --chart asks for; the line that says where, or "" when
// there is none (chartNote then says why).
void SaveChartAtEnd(CoresRun* run, SIZE size, char* line, int lineSize) {
    line[0] = '\0';
    if (!run->options.chartPath[0] ||
        !SaveRunChart(run->chart, run->clock.nowMs, size, run->options.chartPath, run->chartNote,
                      sizeof run->chartNote))
        return;
    char full[MAX_PATH];
    FullPathOrAsGiven(run->options.chartPath, full, sizeof full);
    snprintf(line, size_t(lineSize), "chart: %s (%ld x %ld)\r\n", full, size.cx, size.cy);
}

} // namespace

int EndRun(CoresRun* run, SIZE chartSize) {
    if (run->ended)
        return run->exitCode;
    CloseAllTools(run);
    char chartLine[MAX_PATH + 64], logLine[MAX_PATH + 16];
    SaveChartAtEnd(run, chartSize, chartLine, sizeof chartLine);
    if (run->judge.cycling)
        NoteLastTurn(&run->cycle, run->judge, run->clock.nowMs);
    WriteEndRows(&run->judge, run->clock.nowMs);
    // The log may have stopped during the end rows: the verdict says so too.
    char notes[sizeof run->chartNote + sizeof run->logNote + 2];
    snprintf(notes, sizeof notes, "%s%s%s", run->chartNote,
             run->chartNote[0] && run->logNote[0] ? "; " : "", run->logNote);
    run->exitCode = WriteVerdict(&run->judge, run->clock.nowMs, notes);
    snprintf(logLine, sizeof logLine, "log: %s\r\n", run->log.path);
    EchoLine(&run->log, chartLine);
    EchoLine(&run->log, logLine);
    CloseRunLog(&run->log);
    if (run->autostarting) // the run has its verdict: nothing to go on with at logon
        UnregisterAtLogon();
    run->autostarting = false;
    SetThreadExecutionState(ES_CONTINUOUS);
    run->ended = true;
    return run->exitCode;
}

void PauseRun(CoresRun* run) {
    if (run->ended)
        return;
    uint64_t now = ReadClock(&run->clock);
    EmitRow(run->judge, MakeLogRow(now, -1, pausedEvent,
                                   "Windows ended the session (a restart or a shutdown): every "
                                   "tool left its processor, none failed; --resume goes on"));
    bool terminated[kMaxProcessors];
    CloseTools(run->tools, run->toolCount, 0, terminated); // Windows ends them anyway
    for (int i = 0; i < run->toolCount; ++i)
        ReleaseTool(&run->tools[i]);
    CloseRunLog(&run->log);
    SetThreadExecutionState(ES_CONTINUOUS);
    run->ended = true;
    run->exitCode = notProvenVerdict; // nothing judged yet
}

Verdict CurrentVerdict(const CoresRun& run, char* text, int size) {
    return VerdictText(run.judge, run.clock.nowMs, run.logNote, text, size);
}
