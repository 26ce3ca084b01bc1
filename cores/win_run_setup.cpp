#include "cores/win_run_parts.h"
#include "cores/win_topology.h"

#include <stdio.h>
#include <string.h>

namespace {

// Every row goes to the chart, the log and the standard output as it happens.
void FanOutRow(void* context, const LogRow& row) {
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
        FormatRunTime(run->clock.nowMs, at, sizeof at);
        snprintf(run->logNote, sizeof run->logNote, "%s at %s", run->log.failure, at);
    }
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

// The tool given, or vesko.exe beside this program; false when it is not there.
bool ChooseTool(CoresRun* run, char* error, int size) {
    if (run->options.toolPath[0])
        snprintf(run->toolPath, sizeof run->toolPath, "%s", run->options.toolPath);
    else
        ToolBesideProgram(run->toolPath, sizeof run->toolPath);
    if (IsFile(run->toolPath))
        return true;
    snprintf(error, size_t(size), "The tool %s is not there.", run->toolPath);
    return false;
}

// The log given, or one named after the start time.
bool OpenLog(CoresRun* run, char* error, int size) {
    char path[MAX_PATH];
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    if (run->options.logPath[0])
        snprintf(path, sizeof path, "%s", run->options.logPath);
    else
        DefaultLogName(utc, path, sizeof path);
    return OpenRunLog(&run->log, path, StandardOutput(), error, size);
}

int Refuse(char* message, int size, const char* what) {
    snprintf(message, size_t(size), "%s\n\n%s", what, kCoresUsage);
    return 2;
}

// The one place the two modes differ: the map from tools to watches.
void MapTools(CoresRun* run) {
    if (run->judge.cycling) { // --threads, or fewer where no core has as many
        run->turnCount = PlanTurns(run->judge, run->turns);
        run->toolCount = 0;
        for (int t = 0; t < run->turnCount; ++t)
            if (run->turns[t].count > run->toolCount)
                run->toolCount = run->turns[t].count;
        SeatTurn(run, 0);
    } else {
        run->toolCount = run->judge.count;
        for (int i = 0; i < run->toolCount; ++i)
            run->watchOf[i] = i;
    }
}

} // namespace

uint64_t ReadClock(RunClock* clock) {
    DWORD tick = clock->tickCount();
    clock->nowMs += DWORD(tick - clock->lastTick);
    clock->lastTick = tick;
    return clock->nowMs;
}

ProcessorWatch* WatchOf(CoresRun* run, int tool) {
    return run->watchOf[tool] >= 0 ? &run->judge.watches[run->watchOf[tool]] : nullptr;
}

void StartTool(CoresRun* run, int tool) {
    char error[160];
    ProcessorWatch* watch = WatchOf(run, tool);
    uint64_t now = run->clock.nowMs;
    if (!watch)
        return;
    NoteStarted(&run->judge, watch, now, run->toolPath);
    if (!StartPinnedTool(run->toolPath, watch->processor, &run->tools[tool], error, sizeof error))
        NoteFailure(&run->judge, watch, now, error);
    run->tools[tool].startedMs = now;
}

int PrepareRun(CoresRun* run, int count, char** arguments, char* message, int size) {
    char error[200];
    ZeroMemory(run->tools, sizeof run->tools);
    run->toolCount = 0; // until BeginRun
    run->logNote[0] = run->chartNote[0] = '\0';
    run->ended = false;
    run->clock = {GetTickCount, GetTickCount(), 0};
    CoresOptions* options = &run->options;
    if (!ParseOptions(count, arguments, options, error, sizeof error))
        return Refuse(message, size, error);
    if (options->help) {
        snprintf(message, size_t(size), "%s", kCoresUsage);
        return 0;
    }
    run->topologyKnown = ReadTopology(&run->topology);
    DWORD_PTR processMask = 0, systemMask = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask);
    if (!ChooseProcessors(options->processors, systemMask, &run->listed, error, sizeof error) ||
        !ChooseTool(run, error, sizeof error) || !OpenLog(run, error, sizeof error))
        return Refuse(message, size, error);
    StartJudging(run);
    return 0;
}

void StartJudging(CoresRun* run) {
    const CoresOptions& options = run->options;
    uint64_t processors = run->listed;
    if (options.cycleSeconds) // untested siblings are neither claimed nor missed
        processors = CycledProcessors(run->topologyKnown ? &run->topology : nullptr, processors,
                                      int(options.threads));
    StartRunChart(&run->chart, processors);
    RowSink sink = {FanOutRow, run};
    StartJudge(&run->judge, processors, options.everySeconds, options.cycleSeconds != 0, sink);
    if (run->topologyKnown)
        PlaceWatches(&run->judge, run->topology);
}

void BeginRun(CoresRun* run, RECT toolArea) {
    run->toolArea = toolArea;
    run->clock.lastTick = run->clock.tickCount();
    run->clock.nowMs = 0;
    MapTools(run);
    run->nextMoveMs = uint64_t(run->options.cycleSeconds) * 1000;
    WriteTopologyRows(&run->judge, run->topologyKnown ? &run->topology : nullptr, 0);
    for (int i = 0; i < run->toolCount; ++i)
        StartTool(run, i);
}
