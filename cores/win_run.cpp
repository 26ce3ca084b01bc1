#include "cores/win_run.h"

#include "util/full_path.h"
#include "cores/win_processor_times.h"
#include "cores/tiling.h"

#include <stdio.h>
#include <string.h>

CoresRun theCoresRun;

namespace {

const DWORD kWindowWaitMs = 30000;
const DWORD kCloseWaitMs = 5000;

void WriteRow(void* context, const LogRow& row) {
    CoresRun* run = (CoresRun*)context;
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    char line[sizeof(LogRow::detail) + 200];
    int length = FormatLogRow(row, utc, line, sizeof line);
    AddFiguresToChart(&run->chart, row);
    bool wasWorking = run->log.file != nullptr;
    WriteRunLog(&run->log, line, length);
    if (wasWorking && !run->log.file) {
        char at[24];
        FormatRunTime(run->nowMs, at, sizeof at);
        snprintf(run->logNote, sizeof run->logNote, "%s at %s", run->log.failure, at);
    }
}

void UpdateClock(CoresRun* run) {
    DWORD tick = run->tickCount();
    run->nowMs += DWORD(tick - run->lastTick);
    run->lastTick = tick;
}

bool IsFile(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ToolBesideProgram(char* path, int size) {
    DWORD length = GetModuleFileNameA(nullptr, path, DWORD(size));
    char* slash = strrchr(path, '\\');
    if (length && slash)
        snprintf(slash + 1, size_t(size - (slash + 1 - path)), "vesko.exe");
    else
        snprintf(path, size_t(size), "vesko.exe");
}

int Refuse(char* message, int size, const char* what) {
    snprintf(message, size_t(size), "%s\n\n%s", what, kCoresUsage);
    return 2;
}

int ToolCount(const CoresRun& run) {
    return run.options.cycleSeconds ? 1 : run.judge.count;
}

ProcessorWatch* WatchOf(CoresRun* run, int tool) {
    return &run->judge.watches[run->options.cycleSeconds ? run->current : tool];
}

// Starts a tool for the watch; a failure to start or pin stops that processor.
void StartTool(CoresRun* run, int tool, ProcessorWatch* watch) {
    char error[160];
    NoteStarted(&run->judge, watch, run->nowMs, run->toolPath);
    if (!StartPinnedTool(run->toolPath, watch->processor, &run->tools[tool], error, sizeof error))
        NoteFailure(&run->judge, watch, run->nowMs, error);
    run->tools[tool].startedMs = run->nowMs;
}

void TileTool(CoresRun* run, int tool) {
    RECT frame;
    HWND window = run->tools[tool].window;
    GetWindowRect(window, &frame);
    SIZE natural = {frame.right - frame.left, frame.bottom - frame.top};
    RECT tile = TileRect(run->toolArea, ToolCount(*run), tool, natural);
    // Asynchronous: a tool busy at real-time priority cannot hold us up.
    SetWindowPos(window, nullptr, tile.left, tile.top, tile.right - tile.left,
                 tile.bottom - tile.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

// Cycle mode: the next processor after the current one that has not failed;
// -1 when there is none.
int NextHealthy(const CoresRun& run) {
    for (int step = 1; step <= run.judge.count; ++step) {
        int i = (run.current + step) % run.judge.count;
        if (!Failed(run.judge.watches[i]) && run.judge.watches[i].state != closedState)
            return i;
    }
    return -1;
}

// Cycle mode: a tool that failed is replaced by a new one on the next
// processor that has not failed.
void RestartCycle(CoresRun* run) {
    NoteToolEnded(&run->judge.watches[run->current], run->nowMs);
    KillTool(&run->tools[0]);
    ReleaseTool(&run->tools[0]);
    for (int next = NextHealthy(*run); next >= 0 && !run->tools[0].process;
         next = NextHealthy(*run)) {
        run->current = next;
        StartTool(run, 0, &run->judge.watches[next]);
    }
    run->nextMoveMs = run->nowMs + uint64_t(run->options.cycleSeconds) * 1000;
}

void MoveCycle(CoresRun* run) {
    run->nextMoveMs = run->nowMs + uint64_t(run->options.cycleSeconds) * 1000;
    for (int next = NextHealthy(*run); next >= 0 && next != run->current;
         next = NextHealthy(*run)) {
        ProcessorWatch* from = &run->judge.watches[run->current];
        ProcessorWatch* to = &run->judge.watches[next];
        if (MoveTool(&run->tools[0], to->processor)) {
            NoteMove(&run->judge, from, to, run->nowMs);
            run->current = next;
            return;
        }
        char error[80];
        snprintf(error, sizeof error, "cannot pin the tool to processor %d: error %lu",
                 to->processor, GetLastError());
        NoteFailure(&run->judge, to, run->nowMs, error);
    }
}

// Window, title and exit of one tool.
void PollTool(CoresRun* run, int index) {
    ToolProcess* tool = &run->tools[index];
    ProcessorWatch* watch = WatchOf(run, index);
    if (!tool->process)
        return;
    if (!tool->window && (tool->window = FindProcessWindow(tool->processId)) != nullptr) {
        NoteWindow(watch, run->nowMs);
        TileTool(run, index);
    }
    char title[256];
    if (tool->window && GetWindowTextA(tool->window, title, sizeof title) > 0)
        NoteTitle(&run->judge, watch, title, run->nowMs);
    DWORD exitCode;
    if (ToolEnded(*tool, &exitCode)) {
        ReleaseTool(tool);
        NoteExit(&run->judge, watch, exitCode, run->nowMs);
        if (run->options.cycleSeconds) // closed by hand too: the other processors go on
            RestartCycle(run);
    } else if (!tool->window && run->nowMs - tool->startedMs > kWindowWaitMs) {
        NoteFailure(&run->judge, watch, run->nowMs, "no window after 30 s");
        KillTool(tool);
        ReleaseTool(tool);
        if (run->options.cycleSeconds)
            RestartCycle(run);
    }
}

// Every processor's load, for the busy shares and the hung rule.
void ReadLoads(CoresRun* run) {
    static ProcessorTimes times; // 1 KiB: kept off the timer's stack
    ReadProcessorTimes(&times);
    for (int i = 0; i < run->judge.count; ++i) {
        ProcessorWatch* watch = &run->judge.watches[i];
        if (watch->processor < times.count)
            NoteLoad(watch, times.busy[watch->processor], times.total[watch->processor]);
    }
}

// Tools that have run for kToolRestartHours are closed together and each
// replaced by a fresh one on the same processor.
void RestartAgedTools(CoresRun* run) {
    ToolProcess closing[kMaxProcessors];
    int index[kMaxProcessors], count = 0;
    for (int i = 0; i < ToolCount(*run); ++i) {
        ToolProcess* tool = &run->tools[i];
        if (!tool->process || run->nowMs - tool->startedMs < uint64_t(kToolRestartHours) * 3600000)
            continue;
        closing[count] = *tool; // the handle moves to `closing`
        index[count++] = i;
        *tool = {};
    }
    if (!count)
        return;
    bool terminated[kMaxProcessors];
    CloseTools(closing, count, kCloseWaitMs, terminated);
    UpdateClock(run);
    for (int k = 0; k < count; ++k) {
        ReleaseTool(&closing[k]);
        ProcessorWatch* watch = WatchOf(run, index[k]);
        NoteRestart(&run->judge, watch, run->nowMs, kToolRestartHours);
        StartTool(run, index[k], watch);
    }
}

// Cycle mode: a hung tool is replaced; a turn ends when its time is up and
// its processor has finished enough bursts.
void CycleTurn(CoresRun* run) {
    ProcessorWatch* watch = &run->judge.watches[run->current];
    if (!run->tools[0].process)
        return;
    if (watch->state == hungState)
        RestartCycle(run);
    else if (NextHealthy(*run) != run->current &&
             TurnMayEnd(&run->judge, watch, run->nextMoveMs, run->nowMs))
        MoveCycle(run);
}

bool AnyActive(const CoresRun& run) {
    for (int i = 0; i < ToolCount(run); ++i)
        if (run.tools[i].process)
            return true;
    return false;
}

} // namespace

int PrepareRun(CoresRun* run, int count, char** arguments, char* message, int size) {
    char error[200];
    ZeroMemory(run->tools, sizeof run->tools);
    run->logNote[0] = run->chartNote[0] = '\0';
    run->ended = false;
    run->tickCount = GetTickCount;
    CoresOptions* options = &run->options;
    if (!ParseOptions(count, arguments, options, error, sizeof error))
        return Refuse(message, size, error);
    if (options->help) {
        snprintf(message, size_t(size), "%s", kCoresUsage);
        return 0;
    }
    DWORD_PTR processMask = 0, systemMask = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask);
    uint64_t processors;
    if (!ChooseProcessors(options->processors, systemMask, &processors, error, sizeof error))
        return Refuse(message, size, error);
    if (options->toolPath[0])
        snprintf(run->toolPath, sizeof run->toolPath, "%s", options->toolPath);
    else
        ToolBesideProgram(run->toolPath, sizeof run->toolPath);
    if (!IsFile(run->toolPath)) {
        snprintf(error, sizeof error, "The tool %s is not there.", run->toolPath);
        return Refuse(message, size, error);
    }
    char logPath[MAX_PATH];
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    if (options->logPath[0])
        snprintf(logPath, sizeof logPath, "%s", options->logPath);
    else
        DefaultLogName(utc, logPath, sizeof logPath);
    if (!OpenRunLog(&run->log, logPath, StandardOutput(), error, sizeof error))
        return Refuse(message, size, error);
    StartRunChart(&run->chart, processors);
    RowSink sink = {WriteRow, run};
    StartJudge(&run->judge, processors, options->everySeconds, options->cycleSeconds != 0, sink);
    return 0;
}

void BeginRun(CoresRun* run, RECT toolArea) {
    run->toolArea = toolArea;
    run->lastTick = run->tickCount();
    run->nowMs = 0;
    run->current = 0;
    run->nextMoveMs = uint64_t(run->options.cycleSeconds) * 1000;
    for (int i = 0; i < ToolCount(*run); ++i)
        StartTool(run, i, &run->judge.watches[i]);
}

bool PollRun(CoresRun* run) {
    UpdateClock(run);
    ReadLoads(run);
    for (int i = 0; i < ToolCount(*run); ++i)
        PollTool(run, i);
    RestartAgedTools(run);
    JudgeTick(&run->judge, run->nowMs);
    if (run->options.cycleSeconds)
        CycleTurn(run);
    uint64_t duration = uint64_t(run->options.durationSeconds) * 1000;
    return (duration && run->nowMs >= duration) || !AnyActive(*run);
}

int EndRun(CoresRun* run, SIZE chartSize) {
    if (run->ended)
        return run->exitCode;
    UpdateClock(run);
    bool terminated[kMaxProcessors];
    CloseTools(run->tools, ToolCount(*run), kCloseWaitMs, terminated);
    UpdateClock(run); // the closing may have taken 5 s: the end rows come after it
    for (int i = 0; i < ToolCount(*run); ++i) {
        ProcessorWatch* watch = WatchOf(run, i);
        if (terminated[i])
            NoteTerminated(watch);
        // Ended with an error since the last poll or instead of closing: a crash.
        DWORD code;
        if (!terminated[i] && ToolEnded(run->tools[i], &code) && code != 0)
            NoteExit(&run->judge, watch, code, run->nowMs);
        ReleaseTool(&run->tools[i]);
    }
    char chartLine[MAX_PATH + 64] = "", logLine[MAX_PATH + 16];
    if (run->options.chartPath[0] &&
        SaveRunChart(run->chart, run->nowMs, chartSize, run->options.chartPath, run->chartNote,
                     sizeof run->chartNote)) {
        char full[MAX_PATH];
        FullPathOrAsGiven(run->options.chartPath, full, sizeof full);
        snprintf(chartLine, sizeof chartLine, "chart: %s (%ld x %ld)\r\n", full, chartSize.cx,
                 chartSize.cy);
    }
    WriteEndRows(&run->judge, run->nowMs);
    // The log may have stopped during the end rows: the verdict says so too.
    char notes[sizeof run->chartNote + sizeof run->logNote + 2];
    snprintf(notes, sizeof notes, "%s%s%s", run->chartNote,
             run->chartNote[0] && run->logNote[0] ? "; " : "", run->logNote);
    run->exitCode = WriteVerdict(&run->judge, run->nowMs, notes);
    snprintf(logLine, sizeof logLine, "log: %s\r\n", run->log.path);
    EchoLine(&run->log, chartLine);
    EchoLine(&run->log, logLine);
    CloseRunLog(&run->log);
    run->ended = true;
    return run->exitCode;
}

Verdict CurrentVerdict(const CoresRun& run, char* text, int size) {
    return VerdictText(run.judge, run.nowMs, run.logNote, text, size);
}
