#include "cores/win_processor_times.h"
#include "cores/win_run_parts.h"
#include "cores/tiling.h"

#include <stdio.h>

namespace {

const DWORD kWindowWaitMs = 30000;

void TileTool(CoresRun* run, int tool) {
    RECT frame;
    HWND window = run->tools[tool].window;
    GetWindowRect(window, &frame);
    SIZE natural = {frame.right - frame.left, frame.bottom - frame.top};
    RECT tile = TileRect(run->toolArea, run->toolCount, tool, natural);
    // Asynchronous: a tool busy at real-time priority cannot hold us up.
    SetWindowPos(window, nullptr, tile.left, tile.top, tile.right - tile.left,
                 tile.bottom - tile.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

// A tool is gone: in cycle mode (closed by hand too) the other processors go on.
void ToolGone(CoresRun* run) {
    if (run->judge.cycling)
        RestartCycle(run);
}

// Window, title and exit of one tool.
void PollTool(CoresRun* run, int index) {
    ToolProcess* tool = &run->tools[index];
    uint64_t now = run->clock.nowMs;
    if (!tool->process) // gone, or an empty slot
        return;
    ProcessorWatch* watch = WatchOf(run, index);
    if (FindToolWindow(tool)) {
        TellWindow(watch, now);
        TileTool(run, index);
    }
    char title[256];
    if (tool->window && GetWindowTextA(tool->window, title, sizeof title) > 0)
        TellTitle(&run->judge, watch, title, now);
    if (WrongResultUntold(*watch)) { // what it was, from the file beside the log
        char errors[MAX_PATH];
        CheckResult wrong;
        bool read = CheckErrorsPath(run->log.path, index, errors, sizeof errors) &&
                    ReadLatestCheckError(errors, run->errorsFrom[index], &wrong);
        TellWrongResult(&run->judge, watch, read ? &wrong : nullptr, now);
    }
    DWORD exitCode;
    if (ToolEnded(*tool, &exitCode)) {
        ReleaseTool(tool);
        TellExit(&run->judge, watch, exitCode, now);
        ToolGone(run);
    } else if (!tool->window && now - tool->startedMs > kWindowWaitMs) {
        char what[40];
        snprintf(what, sizeof what, "no window after %lu s", kWindowWaitMs / 1000);
        TellFailure(&run->judge, watch, now, what);
        KillTool(tool);
        ReleaseTool(tool);
        ToolGone(run);
    }
}

// Every processor's load, for the busy shares and the hung rule.
void ReadLoads(CoresRun* run) {
    static ProcessorTimes times; // 1 KiB: kept off the timer's stack
    ReadProcessorTimes(&times);
    for (int i = 0; i < run->judge.count; ++i) {
        ProcessorWatch* watch = &run->judge.watches[i];
        if (watch->processor < times.count && times.total[watch->processor]) // 0: unsound
            TellLoad(watch, times.busy[watch->processor], times.total[watch->processor]);
    }
}

// Tools that have run for kToolRestartHours are closed together and each
// replaced by a fresh one on the same processor.
void RestartAgedTools(CoresRun* run) {
    ToolProcess closing[kMaxProcessors];
    int index[kMaxProcessors], count = 0;
    for (int i = 0; i < run->toolCount; ++i) {
        ToolProcess* tool = &run->tools[i];
        uint64_t ran = run->clock.nowMs - tool->startedMs;
        if (!tool->process || ran < uint64_t(kToolRestartHours) * 3600000)
            continue;
        closing[count] = TakeTool(tool);
        index[count++] = i;
    }
    if (!count)
        return;
    bool terminated[kMaxProcessors];
    CloseTools(closing, count, kCloseWaitMs, terminated);
    uint64_t now = ReadClock(&run->clock);
    for (int k = 0; k < count; ++k) {
        ReleaseTool(&closing[k]);
        NoteRestart(run->judge, *WatchOf(run, index[k]), now, kToolRestartHours);
        StartTool(run, index[k]);
    }
}

bool AnyActive(const CoresRun& run) {
    for (int i = 0; i < run.toolCount; ++i)
        if (run.tools[i].process)
            return true;
    return false;
}

} // namespace

bool PollRun(CoresRun* run) {
    ReadClock(&run->clock);
    if (uint64_t slept = TakeSleep(&run->clock))
        NoteSleep(run->judge, run->clock.nowMs, slept);
    ReadLoads(run);
    for (int i = 0; i < run->toolCount; ++i)
        PollTool(run, i);
    RestartAgedTools(run); // may read the clock again
    JudgeTick(&run->judge, run->clock.nowMs);
    if (run->judge.cycling)
        CycleTurn(run);
    uint64_t duration = uint64_t(run->options.durationSeconds) * 1000;
    bool timeUp = duration && run->clock.nowMs >= duration && !RecheckOwed(*run);
    return timeUp || !AnyActive(*run);
}
