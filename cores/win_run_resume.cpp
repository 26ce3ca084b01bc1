#include "cores/win_run_parts.h"

#include "util/full_path.h"

#include <new>
#include <stdio.h>
#include <string.h>

namespace {

// Why a log holds no run to go on with; null when it does.
const char* Refusal(LogFinding finding) {
    switch (finding) {
    case emptyLog:
        return "is empty: it holds no run";
    case foreignLog:
        return "is not a Vesko Cores log";
    case otherColumnsLog:
        return "has other columns than this version writes (an earlier version's log)";
    case noRunLog:
        return "holds no run row: it holds no run this version can go on with";
    case finishedLog:
        return "holds a run that ended with its verdict";
    case cutShortLog:
        break;
    }
    return nullptr;
}

// The options of the log's run row, the log being the one given.
bool TakeOptions(CoresRun* run, char* message, int size) {
    char text[kOptionsTextCapacity], *arguments[kMostArguments], error[200], log[kPathCapacity];
    snprintf(text, sizeof text, "%s", run->resume->options);
    snprintf(log, sizeof log, "%s", run->options.logPath);
    int count = SplitArguments(text, arguments, kMostArguments);
    if (count < 0 || !ParseOptions(count, arguments, &run->options, error, sizeof error) ||
        run->options.resume) {
        snprintf(message, size_t(size),
                 "The log %s holds a run whose options this version cannot read: %s", log,
                 count < 0 ? "its run row is not one line of options." : error);
        return false;
    }
    snprintf(run->options.logPath, sizeof run->options.logPath, "%s", log);
    return true;
}

} // namespace

bool TakeResumedRun(CoresRun* run, char* message, int size) {
    char path[MAX_PATH], error[MAX_PATH + 80];
    FullPathOrAsGiven(run->options.logPath, path, sizeof path);
    run->resume = new (std::nothrow) ResumeLog;
    if (!run->resume) {
        snprintf(message, size_t(size), "Vesko Cores has no memory to read the log %s.", path);
        return false;
    }
    if (!ReadRunLogBack(path, run->resume, error, sizeof error)) {
        snprintf(message, size_t(size), "%s Nothing to go on with; nothing was written.", error);
        return false;
    }
    if (const char* why = Refusal(run->resume->finding)) {
        bool finished = run->resume->finding == finishedLog;
        snprintf(message, size_t(size),
                 "The log %s %s%s%s%s. Nothing to go on with; nothing "
                 "was written.",
                 path, why, finished ? ": \"" : "", finished ? run->resume->verdict : "",
                 finished ? "\"" : "");
        return false;
    }
    return TakeOptions(run, message, size);
}
