#include "cores/judge.h"

#include "cores/names.h"
#include "check/check_title.h"
#include "check/error_line.h"
#include "cores/tool_title.h"

#include <new>
#include <stdio.h>
#include <string.h>

namespace {

bool Active(const ProcessorWatch& watch) {
    return watch.state == startingState || watch.state == runningState || watch.state == hungState;
}

// A tool came onto the processor, or left it: the time under the tool.
void Arrive(ProcessorWatch* watch, uint64_t now) {
    if (!watch->onProcessor)
        watch->onSinceMs = now;
    watch->onProcessor = true;
}

void Leave(ProcessorWatch* watch, uint64_t now) {
    watch->underToolMs = UnderToolMs(*watch, now);
    watch->onProcessor = false;
}

// The tool was heard from: its silence, and its processor's load since, start again.
void Heard(ProcessorWatch* watch, uint64_t now) {
    watch->changedMs = now;
    watch->load.heardBusy = watch->load.busy;
    watch->load.heardTotal = watch->load.total;
}

void WriteFigures(const Judge& judge, const ProcessorWatch& watch, uint64_t now) {
    LogRow row = MakeLogRow(now, watch.processor, figuresEvent, "samples %llu of %d burst%s",
                            (unsigned long long)watch.interval.total, watch.intervalBursts,
                            watch.intervalBursts == 1 ? "" : "s");
    if (watch.interval.total)
        row.ticksHundredths = int32_t(watch.interval.Median());
    row.mhzTenths = watch.mhzTenths;
    row.busyHundredths = watch.busyHundredths;
    EmitRow(judge, row);
}

// The first counted burst after a move: a failure from now on is the processor's own.
void NoteSettled(const Judge& judge, const ProcessorWatch& watch, uint64_t now) {
    const ProcessorWatch* from = nullptr;
    for (int i = 0; i < judge.count; ++i)
        if (judge.watches[i].processor == watch.movedFrom)
            from = &judge.watches[i];
    char name[48] = "another processor";
    if (from)
        NameProcessor(*from, name, sizeof name);
    EmitRow(judge, MakeLogRow(now, watch.processor, settledEvent,
                              "its first counted burst here since moving from %s", name));
}

// The check workload's figure: hundredths of a millisecond a burst over a span
// of title reads, its first read's bursts left out (they began before it).
void TakeCheckSpan(Judge* judge, ProcessorWatch* watch, uint64_t finished, uint64_t now) {
    if (!watch->spanStartMs) {
        watch->spanStartMs = now, watch->spanBursts = 0;
        return;
    }
    watch->spanBursts += finished;
    if (now - watch->spanStartMs < kCheckSpanMs)
        return;
    uint32_t figure = uint32_t((now - watch->spanStartMs) * 100 / watch->spanBursts);
    watch->spanStartMs = now, watch->spanBursts = 0;
    watch->interval.Add(figure);
    watch->run.Add(figure);
    CountWarningSample(judge, watch, figure, now);
}

// The check workload's title: the bursts it finished since the last one read
// (a fresh process counts from 0), all but those of the first title after a
// move, which may have begun on the processor before.
void TakeCheckTitle(Judge* judge, ProcessorWatch* watch, const CheckTitle& check, uint64_t now) {
    uint64_t before = check.bursts >= watch->checkBursts ? watch->checkBursts : 0;
    uint64_t finished = check.bursts - before;
    watch->checkBursts = check.bursts;
    watch->checkErrors = check.errors;
    watch->wrongBurst = check.errors ? check.errorBurst : 0;
    if (!finished)
        return;
    watch->sawBurst = true;
    TimeBurst(judge, watch, now);
    if (watch->skipNext) {
        watch->skipNext = false;
        return;
    }
    bool first = watch->turnBursts == 0;
    watch->bursts += int(finished), watch->intervalBursts += int(finished);
    watch->turnBursts += int(finished);
    if (first && watch->movedFrom >= 0)
        NoteSettled(*judge, *watch, now);
    TakeCheckSpan(judge, watch, finished, now);
}

// A status line ended a burst: its length measured, the burst counted.
void CountBurst(Judge* judge, ProcessorWatch* watch, const ToolTitle& parsed, uint64_t now) {
    watch->sawBurst = true;
    TimeBurst(judge, watch, now);
    if (watch->skipNext) { // it may have begun on the previous processor
        watch->skipNext = false;
        return;
    }
    ++watch->bursts, ++watch->intervalBursts, ++watch->turnBursts;
    if (watch->turnBursts == 1 && watch->movedFrom >= 0) // a later part must know it was here
        NoteSettled(*judge, *watch, now);
    if (parsed.kind != cyclesTitle || parsed.ticksHundredths <= 0)
        return;
    uint32_t ticks = uint32_t(parsed.ticksHundredths);
    watch->interval.Add(ticks);
    watch->run.Add(ticks);
    CountWarningSample(judge, watch, ticks, now);
    TimeBurstFromTicks(judge, *watch, ticks);
}

// A figures interval ends on the processor: its busy share, figures row and
// its side of the warnings.
void EndInterval(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    LoadReadings* load = &watch->load;
    watch->busyHundredths = BusyShare(*load, load->intervalBusy, load->intervalTotal);
    load->intervalBusy = load->busy, load->intervalTotal = load->total;
    if (Active(*watch) || watch->intervalBursts)
        WriteFigures(*judge, *watch, now);
    EndWarningInterval(judge, watch, now);
}

// A watch from a value-initialised record: nothing of an earlier run stays.
void StartWatch(ProcessorWatch* watch, int processor) {
    watch->~ProcessorWatch();
    new (watch) ProcessorWatch();
    watch->processor = processor;
}

} // namespace

void StartJudge(Judge* judge, uint64_t processors, uint32_t everySeconds, bool cycling,
                RowSink sink) {
    judge->count = 0;
    for (int p = 0; p < kMaxProcessors; ++p)
        if (processors >> p & 1)
            StartWatch(&judge->watches[judge->count++], p);
    judge->everyMs = uint64_t(everySeconds) * 1000;
    judge->nextFiguresMs = judge->everyMs;
    judge->longestBurstMs = 0;
    judge->mhzTenths = -1;
    ClearBandWarnings(&judge->band, 0);
    judge->cycling = cycling;
    judge->parts = 1;
    judge->stoppedAtOnce = 0;
    judge->checkFigures = false;
    judge->sink = sink;
}

ProcessorWatch* FindWatch(Judge* judge, int processor) {
    for (int i = 0; i < judge->count; ++i)
        if (judge->watches[i].processor == processor)
            return &judge->watches[i];
    return nullptr;
}

void EmitRow(const Judge& judge, LogRow row) {
    for (int i = 0; row.processor >= 0 && i < judge.count; ++i) {
        const ProcessorWatch& watch = judge.watches[i];
        if (watch.processor != row.processor)
            continue;
        row.core = row.core < 0 ? watch.core : row.core;
        // Every row of a processor says its evidence so far: a later part reads it back.
        row.bursts = watch.bursts;
        row.underToolMs = int64_t(UnderToolMs(watch, row.runMs));
    }
    judge.sink.write(judge.sink.context, row);
}

void WriteTopologyRows(const Judge& judge, const Topology* topology, uint64_t now) {
    if (!topology) {
        EmitRow(judge, MakeLogRow(now, -1, noteEvent,
                                  "the system did not tell where the processors sit: no cores"));
        return;
    }
    for (int i = 0; i < judge.count; ++i) {
        LogRow row = MakeLogRow(now, judge.watches[i].processor, topologyEvent, "%s", "");
        FormatPlace(*topology, row.processor, row.detail, sizeof row.detail);
        EmitRow(judge, row);
    }
}

void PlaceWatches(Judge* judge, const Topology& topology) {
    for (int i = 0; i < judge->count; ++i) {
        ProcessorWatch* watch = &judge->watches[i];
        const ProcessorPlace& place = topology.processors[watch->processor];
        watch->core = place.present ? place.core : -1;
        watch->efficiencyClass = place.present ? place.efficiencyClass : 0;
    }
}

void TellStarted(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* toolPath) {
    watch->state = startingState;
    watch->tested = true;
    watch->skipNext = watch->sawBurst = false;
    watch->line[0] = '\0';
    watch->lastTitleMs = 0;
    watch->turnBursts = 0;
    watch->movedFrom = -1;
    watch->checkBursts = watch->checkErrors = watch->errorsTold = 0; // a fresh process
    watch->spanStartMs = 0;
    Heard(watch, now);
    Arrive(watch, now);
    EmitRow(*judge, MakeLogRow(now, watch->processor, startEvent, "%s", toolPath));
}

void TellWindow(ProcessorWatch* watch, uint64_t now) {
    watch->state = runningState;
    watch->settledMs = now;
    Heard(watch, now);
}

void TellTitle(Judge* judge, ProcessorWatch* watch, const char* title, uint64_t now) {
    if (!Active(*watch) || strncmp(watch->line, title, sizeof watch->line - 1) == 0)
        return;
    snprintf(watch->line, sizeof watch->line, "%s", title);
    Heard(watch, now);
    if (watch->state == hungState)
        watch->state = runningState; // alive again; the failure stays on record
    CheckTitle check;
    if (ParseCheckTitle(title, &check)) {
        TakeCheckTitle(judge, watch, check, now);
        return;
    }
    ToolTitle parsed = ParseToolTitle(title);
    if (parsed.kind == clockRateTitle)
        watch->mhzTenths = judge->mhzTenths = parsed.mhzTenths;
    if (parsed.kind != bareTitle && parsed.kind != unknownTitle)
        CountBurst(judge, watch, parsed, now);
}

void TellLoad(ProcessorWatch* watch, uint64_t busy, uint64_t total) {
    LoadReadings* load = &watch->load;
    if (load->known && (total < load->total || busy < load->busy))
        return;       // the counts only grow: this reading is unsound, no base for any share
    if (!load->known) // the first reading is where shares start from
        *load = {true, busy, total, busy, total, busy, total};
    load->busy = busy;
    load->total = total;
}

void TellExit(Judge* judge, ProcessorWatch* watch, uint32_t exitCode, uint64_t now) {
    if (exitCode == 0) {
        watch->closedByHand = true;
        watch->closedMs = now;
        watch->state = closedState;
        Leave(watch, now);
        EmitRow(*judge, MakeLogRow(now, watch->processor, closedEvent, "window closed by hand"));
        return;
    }
    char what[120];
    const char* name = ExitCodeName(exitCode);
    snprintf(what, sizeof what, "exit code 0x%08lX%s%s%s", (unsigned long)exitCode,
             *name ? " (" : "", name, *name ? ")" : "");
    TellFailure(judge, watch, now, what);
}

void TellFailure(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* what) {
    watch->tested = true;
    RecordFailure(judge, watch, now, stoppedState, stoppedEvent, what);
}

void TellToolEnded(ProcessorWatch* watch, uint64_t now) {
    if (watch->state == hungState)
        watch->state = stoppedState; // no longer watched; its failure is on record
    else if (watch->state == startingState || watch->state == runningState)
        watch->state = waitingState; // its core's turn ended early: silence here is no hang
    Leave(watch, now);
}

void TellTerminated(ProcessorWatch* watch) {
    watch->terminated = true;
}

void TellMove(Judge* judge, ProcessorWatch* from, ProcessorWatch* to, uint64_t now) {
    memcpy(to->line, from->line, sizeof to->line);
    to->changedMs = from->changedMs; // the same tool: its silence goes on counting
    to->load.heardBusy = to->load.busy, to->load.heardTotal = to->load.total;
    to->mhzTenths = from->mhzTenths;
    to->checkBursts = from->checkBursts, to->checkErrors = from->checkErrors; // the same process
    to->errorsTold = from->errorsTold;
    to->spanStartMs = 0; // its figure here begins with its first read here
    to->state = from->state == hungState ? hungState : runningState;
    to->tested = to->skipNext = true;
    to->sawBurst = false; // its first burst here may be slower
    to->settledMs = now;
    to->lastTitleMs = 0;
    to->turnBursts = 0;
    to->movedFrom = from->processor;
    from->state = waitingState;
    Leave(from, now);
    Arrive(to, now);
    char name[48];
    NameProcessor(*from, name, sizeof name);
    EmitRow(*judge, MakeLogRow(now, to->processor, movedEvent, "from %s", name));
}

void JudgeTick(Judge* judge, uint64_t now) {
    for (int i = 0; i < judge->count; ++i)
        JudgeHung(judge, &judge->watches[i], now);
    if (now < judge->nextFiguresMs)
        return;
    judge->nextFiguresMs = now - now % judge->everyMs + judge->everyMs;
    for (int i = 0; i < judge->count; ++i)
        EndInterval(judge, &judge->watches[i], now);
    for (int i = 0; i < judge->count; ++i)
        JudgeSlower(judge, &judge->watches[i], now);
    for (int i = 0; i < judge->count; ++i) {
        judge->watches[i].interval.Clear();
        judge->watches[i].intervalBursts = 0;
    }
    JudgeSlowing(judge, now);
}

void RecordFailure(Judge* judge, ProcessorWatch* watch, uint64_t now, WatchState state,
                   LogEvent event, const char* what) {
    // Before a counted burst here the fault may be the core's it came from.
    int from = watch->turnBursts == 0 ? watch->movedFrom : -1;
    const ProcessorWatch* source = from >= 0 ? FindWatch(judge, from) : nullptr;
    char words[sizeof watch->failure.what] = "", name[48];
    if (source) {
        NameProcessor(*source, name, sizeof name);
        snprintf(words, sizeof words, ", in its first burst after moving from %s", name);
    }
    FailureRecord* failure = &watch->failure;
    if (!failure->failed) {
        *failure = {true, state, now, "", source ? from : -1};
        snprintf(failure->what, sizeof failure->what, "%s%s", what, words);
    }
    watch->state = state;
    watch->lastTitleMs = 0;                        // a silence that long is no burst
    if (state != hungState && state != wrongState) // a hung or wrong tool is still there
        Leave(watch, now);
    EmitRow(*judge, MakeLogRow(now, watch->processor, event, "%s%s", what, words));
}

void NoteRestart(const Judge& judge, const ProcessorWatch& watch, uint64_t now, int hours) {
    EmitRow(judge, MakeLogRow(now, watch.processor, noteEvent,
                              "a fresh tool after %d hours: from %d hours on a tool shows days in "
                              "place of ticks per iteration",
                              hours, kToolDaysFromHours));
}

void TellWrongResult(Judge* judge, ProcessorWatch* watch, const CheckResult* wrong, uint64_t now) {
    uint64_t untold = watch->checkErrors - watch->errorsTold;
    watch->errorsTold = watch->checkErrors;
    char burst[32], count[48] = "", what[200];
    FormatGrouped(watch->wrongBurst, burst, sizeof burst);
    if (untold > 1) // a row a poll at most, however often the core errs
        snprintf(count, sizeof count, "%llu wrong results, the latest", (unsigned long long)untold);
    int length =
        snprintf(what, sizeof what, "%s in burst %s", untold > 1 ? count : "wrong result", burst);
    if (wrong && wrong->burst == watch->wrongBurst)
        snprintf(what + length, sizeof what - size_t(length),
                 " (%s: expected 0x%016llX, got 0x%016llX)", UnitName(wrong->phase),
                 (unsigned long long)wrong->expected, (unsigned long long)wrong->got);
    RecordFailure(judge, watch, now, wrongState, errorEvent, what);
    watch->state = runningState; // it runs on, watched as before; the failure stays on record
}

void NoteSleep(const Judge& judge, uint64_t now, uint64_t sleptMs) {
    char slept[24];
    FormatRunTime(sleptMs, slept, sizeof slept);
    EmitRow(judge, MakeLogRow(now, -1, noteEvent,
                              "the machine slept for %s: left out of the run's time, every limit "
                              "and burst length",
                              slept));
}

uint64_t UnderToolMs(const ProcessorWatch& watch, uint64_t now) {
    return watch.underToolMs + (watch.onProcessor ? now - watch.onSinceMs : 0);
}
