#include "cores/resume_log.h"

#include "cores/names.h"

#include <new>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

const char kCutRowWords[] = "the row before this one was cut in the middle and is left out";
const char kMachineStoppedWords[] = "the machine stopped while it was under the tool";

namespace {

// The processors of one turn of a cycle run share this: their core, or the
// processor itself where the core is unknown.
int TurnKey(const ResumeLog& log, int processor) {
    int core = log.processors[processor].core;
    return core >= 0 ? core : kMaxProcessors + processor;
}

// The tool left the processor at `ms`: its time under the tool ends there.
void Leave(ResumedProcessor* processor, uint64_t ms) {
    if (processor->onTool && ms > processor->evidenceMs)
        processor->underToolMs += ms - processor->evidenceMs;
    processor->evidenceMs = ms > processor->evidenceMs ? ms : processor->evidenceMs;
    processor->onTool = false;
}

// The number after `words` in `text`; -1 where it is not there.
int NumberAfter(const char* text, const char* words) {
    const char* at = strstr(text, words);
    return at ? atoi(at + strlen(words)) : -1;
}

void Reset(ResumeLog* log) {
    for (ResumedProcessor& processor : log->processors) {
        processor.~ResumedProcessor();
        new (&processor) ResumedProcessor();
    }
    log->options[0] = log->verdict[0] = '\0';
    log->parts = 1;
    log->lastMs = 0;
    log->cycling = false;
    log->slowingWarnings = 0;
    log->lastToolProcessor = log->recheckProcessor = -1;
    log->paused = false;
    log->stoppedAtOnce = log->stoppedInPart = 0;
}

// A run row: what came before belongs to an earlier run.
void BeginRun(ResumeLog* log, const LogRow& row) {
    Reset(log);
    log->finding = cutShortLog;
    snprintf(log->options, sizeof log->options, "%s", row.detail);
    char text[kOptionsTextCapacity], *arguments[kMostArguments], error[200];
    snprintf(text, sizeof text, "%s", row.detail);
    int count = SplitArguments(text, arguments, kMostArguments);
    CoresOptions options;
    log->cycling = count >= 0 && ParseOptions(count, arguments, &options, error, sizeof error) &&
                   options.cycleSeconds;
}

// A tool came onto the processor at the row's time; in cycle mode the tools of
// the turn before left theirs.
void ToolCame(ResumeLog* log, const LogRow& row) {
    ResumedProcessor* processor = &log->processors[row.processor];
    // A turn's tools, hung ones too, are ended before another's start.
    for (int p = 0; log->cycling && p < kMaxProcessors; ++p)
        if (p != row.processor && log->processors[p].onTool &&
            (TurnKey(*log, p) != TurnKey(*log, row.processor) || log->processors[p].failure.failed))
            Leave(&log->processors[p], row.runMs);
    processor->tested = processor->onTool = true;
    processor->movedFrom = -1;
    if (row.event == movedEvent) {
        int from = NumberAfter(row.detail, "from processor ");
        if (from >= 0 && from < kMaxProcessors && from != row.processor) {
            Leave(&log->processors[from], row.runMs);
            processor->movedFrom = from;
            processor->burstsAtMove = processor->bursts;
        }
    }
    int owed = log->recheckProcessor;
    if (owed >= 0 && TurnKey(*log, owed) == TurnKey(*log, row.processor))
        log->recheckProcessor = -1; // its turn came again
    log->lastToolProcessor = row.processor;
}

void Failure(ResumeLog* log, const LogRow& row, WatchState state) {
    ResumedProcessor* processor = &log->processors[row.processor];
    if (strncmp(row.detail, kMachineStoppedWords, strlen(kMachineStoppedWords)) == 0 &&
        ++log->stoppedInPart > log->stoppedAtOnce && !log->cycling && log->stoppedInPart > 1)
        log->stoppedAtOnce = log->stoppedInPart;
    if (!processor->failure.failed) {
        processor->failure = {true, state, row.runMs, "", -1};
        snprintf(processor->failure.what, sizeof processor->failure.what, "%s", row.detail);
    }
    int from = NumberAfter(row.detail, "in its first burst after moving from processor ");
    if (from >= 0 && from < kMaxProcessors)
        log->recheckProcessor = from;
    if (state == stoppedState)
        Leave(processor, row.runMs);
}

void Warning(ResumeLog* log, const LogRow& row) {
    if (row.processor < 0) {
        log->slowingWarnings += strncmp(row.detail, "slowing down", 12) == 0;
        return;
    }
    ResumedProcessor* processor = &log->processors[row.processor];
    processor->slowerWarnings += strncmp(row.detail, "slower than the rest", 20) == 0;
    processor->notLoadedWarnings += strncmp(row.detail, "not loaded", 10) == 0;
}

void Figures(ResumedProcessor* processor, const LogRow& row) {
    int samples = NumberAfter(row.detail, "samples ");
    if (row.ticksHundredths > 0 && samples > 0)
        processor->ticks.Add(uint32_t(row.ticksHundredths), uint32_t(samples));
    if (row.mhzTenths >= 0)
        processor->mhzTenths = row.mhzTenths;
}

// A row about one processor.
void ApplyProcessorRow(ResumeLog* log, const LogRow& row) {
    ResumedProcessor* processor = &log->processors[row.processor];
    if (row.core >= 0)
        processor->core = row.core;
    if (row.bursts >= 0 && row.event != endEvent) { // its evidence at the row's time
        processor->bursts = row.bursts;
        processor->underToolMs = uint64_t(row.underToolMs);
        processor->evidenceMs = row.runMs;
    }
    switch (row.event) {
    case startEvent:
    case movedEvent:
        ToolCame(log, row);
        break;
    case hungEvent:
        Failure(log, row, hungState);
        break;
    case stoppedEvent:
        Failure(log, row, stoppedState);
        break;
    case errorEvent: // the check workload runs on after a wrong result
        Failure(log, row, wrongState);
        break;
    case closedEvent:
        processor->closedByHand = true;
        processor->closedMs = row.runMs;
        Leave(processor, row.runMs);
        break;
    case endEvent: // the run was ending: its tools were closed
        Leave(processor, row.runMs);
        break;
    case warningEvent:
        Warning(log, row);
        break;
    case figuresEvent:
        Figures(processor, row);
        break;
    default:
        break;
    }
}

void ApplyRow(ResumeLog* log, const LogRow& row) {
    if (row.event == runEvent) {
        BeginRun(log, row);
        return;
    }
    if (log->finding != cutShortLog) // before any run row, or after a verdict
        return;
    log->lastMs = row.runMs > log->lastMs ? row.runMs : log->lastMs;
    if (row.event == verdictEvent) {
        log->finding = finishedLog;
        snprintf(log->verdict, sizeof log->verdict, "%s", row.detail);
    } else if (row.event == resumedEvent) {
        ++log->parts;
        log->paused = false;
        log->stoppedInPart = 0;
    } else if (row.event == pausedEvent) { // every tool left, none failed
        log->paused = true;
        for (ResumedProcessor& processor : log->processors)
            Leave(&processor, row.runMs);
    } else if (row.event == warningEvent && row.processor < 0) {
        Warning(log, row);
    } else if (row.processor >= 0) {
        ApplyProcessorRow(log, row);
    }
}

} // namespace

void StartResumeLog(ResumeLog* log) {
    Reset(log);
    log->finding = emptyLog;
    log->lines = 0;
    log->cutLastRow = log->pending = false;
}

void ReadResumeLine(ResumeLog* log, const char* line) {
    if (log->lines++ == 0) {
        size_t length = strlen(kLogHeader) - 2; // without its line break
        bool header = strncmp(line, kLogHeader, length) == 0 && !line[length];
        bool ours = strncmp(line, "utc,run_seconds,", 16) == 0;
        log->finding = header ? noRunLog : ours ? otherColumnsLog : foreignLog;
        return;
    }
    LogRow row;
    if (log->finding == foreignLog || log->finding == otherColumnsLog)
        return;
    if (!ParseLogRow(line, &row)) { // no row: the one before it was whole
        if (log->pending)
            ApplyRow(log, log->row);
        log->pending = false;
        return;
    }
    // A resumed part says so when the row before it was cut: that one is no row.
    bool cutBefore = row.event == resumedEvent && strstr(row.detail, kCutRowWords);
    if (log->pending && !cutBefore)
        ApplyRow(log, log->row);
    log->row = row;
    log->pending = true;
}

void EndResumeLog(ResumeLog* log, bool cutLast) {
    if (log->pending)
        ApplyRow(log, log->row);
    log->pending = false;
    log->cutLastRow = cutLast && log->lines > 1;
}

uint64_t ResumedUnderToolMs(const ResumedProcessor& processor, uint64_t now) {
    uint64_t since =
        processor.onTool && now > processor.evidenceMs ? now - processor.evidenceMs : 0;
    return processor.underToolMs + since;
}

bool InFirstBurstAfterMove(const ResumedProcessor& processor) {
    return processor.movedFrom >= 0 && processor.bursts == processor.burstsAtMove;
}

void ResumeWatches(Judge* judge, const ResumeLog& log) {
    judge->parts = log.parts + 1;
    judge->nextFiguresMs = log.lastMs - log.lastMs % judge->everyMs + judge->everyMs;
    ClearBandWarnings(&judge->band, log.lastMs);
    judge->band.slowing.count = log.slowingWarnings;
    judge->stoppedAtOnce = log.stoppedAtOnce;
    for (int i = 0; i < judge->count; ++i) {
        ProcessorWatch* watch = &judge->watches[i];
        const ResumedProcessor& earlier = log.processors[watch->processor];
        watch->tested = earlier.tested;
        watch->bursts = earlier.bursts;
        watch->underToolMs = ResumedUnderToolMs(earlier, log.lastMs);
        watch->failure = earlier.failure;
        watch->closedByHand = earlier.closedByHand;
        watch->closedMs = earlier.closedMs;
        watch->state = earlier.failure.failed ? earlier.failure.state
                       : earlier.closedByHand ? closedState
                                              : waitingState;
        if (watch->state == hungState || watch->state == wrongState)
            watch->state = stoppedState; // no tool there now
        watch->warnings.slower.count = earlier.slowerWarnings;
        watch->warnings.notLoaded.count = earlier.notLoadedWarnings;
        watch->mhzTenths = earlier.mhzTenths;
        watch->run.AddAll(earlier.ticks);
    }
}

void ResumeCycle(CoreCycle* cycle, const Judge& judge, const ResumeLog& log) {
    int stopped = log.lastToolProcessor, owed = log.recheckProcessor;
    for (int i = 0; i < judge.count; ++i) {
        const ResumedProcessor& earlier = log.processors[judge.watches[i].processor];
        if (earlier.onTool)
            stopped = judge.watches[i].processor;
        if (earlier.onTool && InFirstBurstAfterMove(earlier))
            owed = earlier.movedFrom;
    }
    int turn = stopped >= 0 ? TurnOfProcessor(*cycle, judge, stopped) : -1;
    if (turn >= 0 && log.paused) // a turn Windows cut short comes again: nothing failed in it
        turn = (turn + cycle->count - 1) % cycle->count;
    cycle->turn = turn >= 0 ? turn : cycle->count - 1;
    cycle->recheck = owed >= 0 ? TurnOfProcessor(*cycle, judge, owed) : -1;
}

int WriteResumedRows(Judge* judge, const ResumeLog& log) {
    int stopped = 0;
    for (int i = 0; i < judge->count; ++i)
        stopped += log.processors[judge->watches[i].processor].onTool;
    char at[24];
    FormatRunTime(log.lastMs, at, sizeof at);
    LogRow row = MakeLogRow(log.lastMs, -1, resumedEvent,
                            "part %d: the run stopped without a verdict after its row at %s, "
                            "%d processor%s under the tool",
                            judge->parts, at, stopped, stopped == 1 ? "" : "s");
    if (log.cutLastRow)
        AppendText(row.detail, sizeof row.detail, "; %s", kCutRowWords);
    EmitRow(*judge, row);
    for (int i = 0; i < judge->count; ++i) {
        ProcessorWatch* watch = &judge->watches[i];
        const ResumedProcessor& earlier = log.processors[watch->processor];
        if (!earlier.onTool)
            continue;
        watch->movedFrom = InFirstBurstAfterMove(earlier) ? earlier.movedFrom : -1;
        watch->turnBursts = 0;
        char what[120];
        snprintf(what, sizeof what, "%s; last row at %s", kMachineStoppedWords, at);
        RecordFailure(judge, watch, log.lastMs, stoppedState, stoppedEvent, what);
        watch->movedFrom = -1;
    }
    if (!judge->cycling && stopped > 1 && stopped > judge->stoppedAtOnce)
        judge->stoppedAtOnce = stopped;
    return stopped;
}
