#include "cores/win_clock.h"
#include "cores/win_run_parts.h"
#include "cores/win_topology.h"
#include "util/full_path.h"

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

void ToolBesideProgram(const char* name, char* path, int size) {
    DWORD length = GetModuleFileNameA(nullptr, path, DWORD(size));
    char* slash = strrchr(path, '\\');
    if (length && slash)
        snprintf(slash + 1, size_t(size - (slash + 1 - path)), "%s", name);
    else
        snprintf(path, size_t(size), "%s", name);
}

// The program given, or the workload's beside this program; false when it is not there.
bool ChooseTool(CoresRun* run, char* error, int size) {
    bool check = run->options.workload == checkWorkload;
    if (run->options.toolPath[0])
        snprintf(run->toolPath, sizeof run->toolPath, "%s", run->options.toolPath);
    else
        ToolBesideProgram(check ? "vesko-check.exe" : "vesko.exe", run->toolPath,
                          sizeof run->toolPath);
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
    snprintf(message, size_t(size), "%s\n\n%s", what, CoresUsage());
    return 2;
}

// The options as given for the run row, with the paths made full and the
// log named, so that a resume started at logon, elsewhere, finds them.
bool RecordRunOptions(CoresRun* run, int count, char** arguments, char* error, int size) {
    static char paths[3][MAX_PATH]; // the log's, the tool's, the chart's
    char* given[kMostArguments + 2];
    int n = 0;
    if (count > kMostArguments - 2) { // room for --log and its path
        snprintf(error, size_t(size), "More than %d arguments do not fit in the log's run row.",
                 kMostArguments - 2);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const char* argument = given[n++] = arguments[i];
        const char* name = !strncmp(argument, "--", 2) ? argument + 2
                           : argument[0] == '/'        ? argument + 1
                                                       : "";
        int path = !strcmp(name, "log")     ? 0
                   : !strcmp(name, "tool")  ? 1
                   : !strcmp(name, "chart") ? 2
                                            : -1;
        if (path < 0 || i + 1 == count)
            continue;
        FullPathOrAsGiven(arguments[++i], paths[path], MAX_PATH);
        given[n++] = paths[path];
    }
    if (!run->options.logPath[0]) {
        given[n++] = (char*)"--log";
        given[n++] = run->log.path;
    }
    if (JoinArguments(n, given, run->runOptions, sizeof run->runOptions))
        return true;
    snprintf(error, size_t(size), "The options do not fit in the log's run row.");
    return false;
}

// The machine's processors; 0 where the system does not say.
uint64_t SystemProcessors() {
    DWORD_PTR processMask = 0, systemMask = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask))
        return 0;
    return systemMask;
}

} // namespace

ProcessorWatch* WatchOf(CoresRun* run, int tool) {
    return run->watchOf[tool] >= 0 ? &run->judge.watches[run->watchOf[tool]] : nullptr;
}

void StartTool(CoresRun* run, int tool) {
    char error[160];
    ProcessorWatch* watch = WatchOf(run, tool);
    uint64_t now = run->clock.nowMs;
    if (!watch)
        return;
    TellStarted(&run->judge, watch, now, run->toolPath);
    char arguments[MAX_PATH + 16] = "", errors[MAX_PATH];
    if (run->options.workload == checkWorkload &&
        CheckErrorsPath(run->log.path, tool, errors, sizeof errors)) { // beside the log
        snprintf(arguments, sizeof arguments, "--errors \"%s\"", errors);
        run->errorsFrom[tool] = FileLength(errors); // what earlier processes wrote there
    }
    if (!StartPinnedTool(run->toolPath, arguments, watch->processor, now, &run->tools[tool], error,
                         sizeof error))
        TellFailure(&run->judge, watch, now, error);
}

int PrepareRun(CoresRun* run, int count, char** arguments, char* message, int size) {
    char error[200];
    ZeroMemory(run->tools, sizeof run->tools);
    run->toolCount = 0; // until BeginRun
    run->logNote[0] = run->chartNote[0] = run->runOptions[0] = '\0';
    run->ended = run->autostarting = false;
    run->clock.awake = AwakeMilliseconds, run->clock.wall = WallMilliseconds;
    run->resume = nullptr;
    CoresOptions* options = &run->options;
    if (!ParseOptions(count, arguments, options, error, sizeof error))
        return Refuse(message, size, error);
    if (options->help) {
        snprintf(message, size_t(size), "%s", CoresUsage());
        return 0;
    }
    if (options->resume && !TakeResumedRun(run, message, size))
        return 2;
    run->topologyKnown = ReadTopology(&run->topology);
    if (!ChooseProcessors(options->processors, SystemProcessors(), &run->listed, error,
                          sizeof error) ||
        !ChooseTool(run, error, sizeof error) || !OpenLog(run, error, sizeof error))
        return Refuse(message, size, error);
    if (!run->resume && !RecordRunOptions(run, count, arguments, error, sizeof error)) {
        CloseRunLog(&run->log);
        return Refuse(message, size, error);
    }
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
    run->judge.checkFigures = options.workload == checkWorkload;
    run->chart.upperTitle = run->judge.checkFigures ? "Milliseconds a burst" : nullptr;
    if (run->topologyKnown)
        PlaceWatches(&run->judge, run->topology);
    if (run->resume)
        ResumeWatches(&run->judge, *run->resume);
}
