#include "cores/judge.h"

#include "app/burn_kernel.h"
#include "cores/tool_title.h"

#include <stdio.h>
#include <string.h>

namespace {

bool Active(const ProcessorWatch& watch) {
    return watch.state == startingState || watch.state == runningState || watch.state == hungState;
}

// The burst a cycles line stands for: ticks for every iteration at the clock rate.
uint64_t BurstMs(int32_t ticksHundredths, int32_t mhzTenths) {
    if (mhzTenths <= 0)
        return 0;
    double ms = ticksHundredths / 100.0 * kBurnIterations / (mhzTenths / 10.0 * 1e6) * 1e3;
    return uint64_t(ms);
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

// Whole minutes of each slowing-down window: 5, or kSlowingWindowBursts of
// the longest bursts where that is longer, up to the ring's length.
uint64_t SlowingWindowMinutes(const Judge& judge) {
    uint64_t bursts = kSlowingWindowBursts * judge.longestBurstMs;
    uint64_t minutes = (bursts > kSlowingWindowMs ? bursts : kSlowingWindowMs) + 59999;
    minutes /= 60000;
    return minutes < uint64_t(kSlowingMaxMinutes) ? minutes : kSlowingMaxMinutes;
}

void CountSample(Judge* judge, ProcessorWatch* watch, uint32_t ticks, uint64_t now) {
    watch->interval.Add(ticks);
    watch->run.Add(ticks);
    watch->latest[watch->latestCount++ % kJudgedSamples] = ticks;
    if (!judge->firstWindowMs && now < SlowingWindowMinutes(*judge) * 60000)
        judge->firstWindow.Add(ticks);
    uint64_t minute = now / 60000;
    int slot = int(minute % kSlowingMaxMinutes);
    if (judge->recentMinute[slot] != minute) {
        judge->recentMinutes[slot].Clear();
        judge->recentMinute[slot] = minute;
    }
    judge->recentMinutes[slot].Add(ticks);
    int32_t mhz = watch->mhzTenths > 0 ? watch->mhzTenths : judge->mhzTenths;
    uint64_t burst = BurstMs(int32_t(ticks), mhz);
    if (burst > judge->longestBurstMs)
        judge->longestBurstMs = burst;
}

// What is compared with the other processors: the median of the interval's
// cycles lines where it holds kJudgedSamples or more, else of the latest
// kJudgedSamples; 0 while there are fewer.
uint32_t Figure(const ProcessorWatch& watch) {
    if (watch.interval.total >= uint64_t(kJudgedSamples))
        return watch.interval.Median();
    if (watch.latestCount < kJudgedSamples)
        return 0;
    uint32_t sorted[kJudgedSamples];
    for (int i = 0; i < kJudgedSamples; ++i) {
        int j = i;
        for (; j > 0 && sorted[j - 1] > watch.latest[i]; --j)
            sorted[j] = sorted[j - 1];
        sorted[j] = watch.latest[i];
    }
    return sorted[(kJudgedSamples - 1) / 2];
}

// A busy share (-1: unknown) that tells a processor was idle.
bool Idle(int32_t share) {
    return share >= 0 && share < kLoadedHundredths;
}

// True when `value` lies more than kSlowerPercent above `reference`.
bool Above(uint32_t value, uint32_t reference) {
    return uint64_t(value) * 100 > uint64_t(reference) * (100 + kSlowerPercent);
}

// Two figures in hundredths as text, and how far the first lies above the second.
struct Comparison {
    char value[16], against[16];
    double percentAbove;
};

Comparison Compare(uint32_t value, uint32_t reference) {
    Comparison comparison;
    FormatFixed(int32_t(value), 2, comparison.value, sizeof comparison.value);
    FormatFixed(int32_t(reference), 2, comparison.against, sizeof comparison.against);
    comparison.percentAbove = (double(value) / reference - 1) * 100;
    return comparison;
}

// Whether a warning row is due: when the warning starts to hold, then every
// kWarningRepeatMs while it lasts.
bool WarningDue(WarningState* warning, bool holds, uint64_t now) {
    bool due = holds && (!warning->holds || now - warning->writtenMs >= kWarningRepeatMs);
    warning->holds = holds;
    if (due) {
        warning->writtenMs = now;
        ++warning->count;
    }
    return due;
}

void WriteFigures(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    LogRow row = MakeLogRow(now, watch->processor, figuresEvent, "samples %llu of %d burst%s",
                            (unsigned long long)watch->interval.total, watch->intervalBursts,
                            watch->intervalBursts == 1 ? "" : "s");
    if (watch->interval.total)
        row.ticksHundredths = int32_t(watch->interval.Median());
    row.mhzTenths = watch->mhzTenths;
    row.busyHundredths = watch->busyHundredths;
    EmitRow(judge, row);
}

// Whether the tool ran on the processor for the whole interval: the one
// in which it started, or moved, compares start-up with steady bursts.
bool Settled(const Judge& judge, const ProcessorWatch& watch, uint64_t now) {
    return now - watch.settledMs >= judge.everyMs;
}

// Compared with the others, not with itself, and like with like: the lower
// median of the figures of every other processor of its efficiency class
// still tested; 0 when there is none.
uint32_t OthersFigure(Judge* judge, const ProcessorWatch& watch) {
    judge->merged.Clear();
    for (int i = 0; i < judge->count; ++i) {
        const ProcessorWatch& other = judge->watches[i];
        if (&other != &watch && other.figure && other.efficiencyClass == watch.efficiencyClass &&
            other.state != stoppedState && other.state != closedState)
            judge->merged.Add(other.figure);
    }
    return judge->merged.Median();
}

void JudgeSlower(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    if (!watch->interval.total || !Settled(*judge, *watch, now) || !watch->figure)
        return;
    uint32_t reference = OthersFigure(judge, *watch);
    if (!reference || !WarningDue(&watch->slower, Above(watch->figure, reference), now))
        return;
    Comparison c = Compare(watch->figure, reference);
    LogRow row = MakeLogRow(now, watch->processor, warningEvent,
                            "slower than the rest: %s ticks against a median of %s (+%.1f %%)",
                            c.value, c.against, c.percentAbove);
    row.ticksHundredths = int32_t(watch->figure);
    row.mhzTenths = watch->mhzTenths;
    EmitRow(judge, row);
}

// A running tool whose processor stays idle does not load it: the tool is
// not where it should be, or not working.
void JudgeLoad(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    bool ranAll = watch->state == runningState && Settled(*judge, *watch, now);
    watch->idleIntervals = ranAll && Idle(watch->busyHundredths) ? watch->idleIntervals + 1 : 0;
    if (!WarningDue(&watch->notLoaded, watch->idleIntervals >= kIdleIntervals, now))
        return;
    char busy[16];
    FormatFixed(watch->busyHundredths, 2, busy, sizeof busy);
    LogRow row = MakeLogRow(now, watch->processor, warningEvent,
                            "not loaded: busy below 0.50 for %d intervals while its tool ran "
                            "(%s in the last)",
                            watch->idleIntervals, busy);
    row.busyHundredths = watch->busyHundredths;
    EmitRow(judge, row);
}

// The median of every processor's samples in the latest window; 0 while it
// holds fewer than kJudgedSamples.
uint32_t RecentMedian(Judge* judge, uint64_t windowMs, uint64_t now) {
    uint64_t minute = now / 60000;
    judge->merged.Clear();
    for (int slot = 0; slot < kSlowingMaxMinutes; ++slot)
        if (judge->recentMinute[slot] + windowMs / 60000 > minute)
            judge->merged.AddAll(judge->recentMinutes[slot]);
    return judge->merged.total < uint64_t(kJudgedSamples) ? 0 : judge->merged.Median();
}

// Every processor's samples of the latest window against those of the first.
void JudgeSlowing(Judge* judge, uint64_t now) {
    uint64_t windowMs = SlowingWindowMinutes(*judge) * 60000;
    if (!judge->firstWindowMs && now >= windowMs)
        judge->firstWindowMs = windowMs;
    if (!judge->firstWindowMs || now < judge->firstWindowMs + windowMs ||
        judge->firstWindow.total < uint64_t(kJudgedSamples))
        return;
    uint32_t recent = RecentMedian(judge, windowMs, now), first = judge->firstWindow.Median();
    if (!recent || !WarningDue(&judge->slowing, Above(recent, first), now))
        return;
    Comparison c = Compare(recent, first);
    LogRow row = MakeLogRow(now, -1, warningEvent,
                            "slowing down: median %s ticks in the last %u minutes against %s in "
                            "the first %u (+%.1f %%)",
                            c.value, unsigned(windowMs / 60000), c.against,
                            unsigned(judge->firstWindowMs / 60000), c.percentAbove);
    row.ticksHundredths = int32_t(recent);
    EmitRow(judge, row);
}

// A failure becomes the processor's state and a row; the first one stays on record.
void Fail(Judge* judge, ProcessorWatch* watch, uint64_t now, WatchState state, LogEvent event,
          const char* what) {
    FailureRecord* failure = &watch->failure;
    if (!failure->failed) {
        *failure = {true, state, now, ""};
        snprintf(failure->what, sizeof failure->what, "%s", what);
    }
    watch->state = state;
    watch->lastTitleMs = 0; // a silence that long is no burst
    if (state != hungState) // a hung tool is still there
        Leave(watch, now);
    EmitRow(judge, MakeLogRow(now, watch->processor, event, "%s", what));
}

void JudgeHung(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    uint64_t silent = now - watch->changedMs;
    if (watch->state != runningState || silent <= HungAfterMs(*judge, *watch))
        return;
    char what[80];
    int32_t share = BusyShare(watch->load, watch->load.heardBusy, watch->load.heardTotal);
    if (Idle(share))
        snprintf(what, sizeof what, "no new title for %llu s, its processor idle (busy %d.%02d)",
                 (unsigned long long)(silent / 1000), int(share / 100), int(share % 100));
    else
        snprintf(what, sizeof what, "no new title for %llu s", (unsigned long long)(silent / 1000));
    Fail(judge, watch, now, hungState, hungEvent, what);
}

// A burst's length on the processor where one was measured, else the longest
// one known; 0: unknown.
uint64_t KnownBurstMs(const Judge& judge, const ProcessorWatch& watch) {
    return watch.burstGapMs ? watch.burstGapMs : judge.longestBurstMs;
}

// Once a run, the first turn that ran past its time: with the burst length
// where one is known, else with what the turn has done.
void NoteStretchedTurn(Judge* judge, const ProcessorWatch& watch, uint64_t now) {
    if (!judge->turnStretched || judge->stretchNoted)
        return;
    judge->stretchNoted = true;
    char done[80], ran[24];
    FormatRunTime(now - judge->turnStartMs, ran, sizeof ran);
    if (uint64_t burst = KnownBurstMs(*judge, watch))
        snprintf(done, sizeof done, "a burst takes %.1f s here", burst / 1000.0);
    else
        snprintf(done, sizeof done, "%d in %s, no burst length known", watch.turnBursts, ran);
    EmitRow(judge, MakeLogRow(now, watch.processor, noteEvent,
                              "turns last past their %llu s until %d bursts are counted: %s",
                              (unsigned long long)((judge->turnDueMs - judge->turnStartMs) / 1000),
                              kProvenBursts, done));
}

// A status line ended a burst: its length measured, the burst counted.
void NoteBurst(Judge* judge, ProcessorWatch* watch, const ToolTitle& parsed, uint64_t now) {
    watch->sawBurst = true;
    if (watch->lastTitleMs) { // a burst's length, measured: no clock rate needed
        watch->burstGapMs = now - watch->lastTitleMs;
        if (watch->burstGapMs > judge->longestBurstMs)
            judge->longestBurstMs = watch->burstGapMs;
    }
    watch->lastTitleMs = now;
    if (watch->skipNext) { // it may have begun on the previous processor
        watch->skipNext = false;
        return;
    }
    ++watch->bursts, ++watch->intervalBursts, ++watch->turnBursts;
    if (parsed.kind == cyclesTitle && parsed.ticksHundredths > 0)
        CountSample(judge, watch, uint32_t(parsed.ticksHundredths), now);
}

// A figures interval ends on the processor: its busy share, figures row, load
// warning and the figure the others are compared with.
void EndInterval(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    LoadReadings* load = &watch->load;
    watch->busyHundredths = BusyShare(*load, load->intervalBusy, load->intervalTotal);
    load->intervalBusy = load->busy, load->intervalTotal = load->total;
    if (Active(*watch) || watch->intervalBursts)
        WriteFigures(judge, watch, now);
    JudgeLoad(judge, watch, now);
    if (watch->interval.total && Settled(*judge, *watch, now) && Figure(*watch))
        watch->figure = Figure(*watch);
}

void StartWatch(ProcessorWatch* watch, int processor) {
    watch->processor = processor;
    watch->core = -1;
    watch->efficiencyClass = 0;
    watch->state = waitingState;
    watch->tested = watch->skipNext = watch->sawBurst = watch->terminated = false;
    watch->line[0] = '\0';
    watch->failure = {};
    watch->changedMs = watch->settledMs = watch->closedMs = 0;
    watch->mhzTenths = -1;
    watch->bursts = watch->intervalBursts = watch->turnBursts = 0;
    watch->onProcessor = watch->closedByHand = false;
    watch->onSinceMs = watch->underToolMs = watch->lastTitleMs = watch->burstGapMs = 0;
    watch->interval.Clear();
    watch->run.Clear();
    watch->latestCount = 0;
    watch->figure = 0;
    watch->load = {};
    watch->busyHundredths = -1;
    watch->idleIntervals = 0;
    watch->slower = watch->notLoaded = {};
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
    judge->firstWindowMs = 0;
    judge->firstWindow.Clear();
    for (int slot = 0; slot < kSlowingMaxMinutes; ++slot) {
        judge->recentMinutes[slot].Clear();
        judge->recentMinute[slot] = 0;
    }
    judge->slowing = {};
    judge->cycling = cycling;
    judge->turnStartMs = judge->turnDueMs = 0;
    judge->turnStretched = judge->stretchNoted = false;
    judge->sink = sink;
}

ProcessorWatch* FindWatch(Judge* judge, int processor) {
    for (int i = 0; i < judge->count; ++i)
        if (judge->watches[i].processor == processor)
            return &judge->watches[i];
    return nullptr;
}

void EmitRow(Judge* judge, LogRow row) {
    const ProcessorWatch* watch = row.processor >= 0 ? FindWatch(judge, row.processor) : nullptr;
    if (watch && row.core < 0)
        row.core = watch->core;
    judge->sink.write(judge->sink.context, row);
}

void WriteTopologyRows(Judge* judge, const Topology* topology, uint64_t now) {
    if (!topology) {
        EmitRow(judge, MakeLogRow(now, -1, noteEvent,
                                  "the system did not tell where the processors sit: no cores"));
        return;
    }
    for (int i = 0; i < judge->count; ++i) {
        LogRow row = MakeLogRow(now, judge->watches[i].processor, topologyEvent, "%s", "");
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

void NameProcessor(const ProcessorWatch& watch, char* text, int size) {
    if (watch.core >= 0)
        snprintf(text, size_t(size), "processor %d (core %d)", watch.processor, watch.core);
    else
        snprintf(text, size_t(size), "processor %d", watch.processor);
}

void NoteStarted(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* toolPath) {
    watch->state = startingState;
    watch->tested = true;
    watch->skipNext = watch->sawBurst = false;
    watch->line[0] = '\0';
    watch->lastTitleMs = 0;
    watch->turnBursts = 0;
    Heard(watch, now);
    Arrive(watch, now);
    judge->turnStartMs = now;
    judge->turnStretched = false;
    EmitRow(judge, MakeLogRow(now, watch->processor, startEvent, "%s", toolPath));
}

void NoteWindow(ProcessorWatch* watch, uint64_t now) {
    watch->state = runningState;
    watch->settledMs = now;
    Heard(watch, now);
}

void NoteTitle(Judge* judge, ProcessorWatch* watch, const char* title, uint64_t now) {
    if (!Active(*watch) || strncmp(watch->line, title, sizeof watch->line - 1) == 0)
        return;
    snprintf(watch->line, sizeof watch->line, "%s", title);
    Heard(watch, now);
    if (watch->state == hungState)
        watch->state = runningState; // alive again; the failure stays on record
    ToolTitle parsed = ParseToolTitle(title);
    if (parsed.kind == clockRateTitle)
        watch->mhzTenths = judge->mhzTenths = parsed.mhzTenths;
    if (parsed.kind != bareTitle && parsed.kind != unknownTitle)
        NoteBurst(judge, watch, parsed, now);
}

void NoteLoad(ProcessorWatch* watch, uint64_t busy, uint64_t total) {
    LoadReadings* load = &watch->load;
    if (!load->known) // the first reading is where shares start from
        *load = {true, busy, total, busy, total, busy, total};
    load->busy = busy;
    load->total = total;
}

void NoteExit(Judge* judge, ProcessorWatch* watch, uint32_t exitCode, uint64_t now) {
    if (exitCode == 0) {
        watch->closedByHand = true;
        watch->closedMs = now;
        watch->state = closedState;
        Leave(watch, now);
        EmitRow(judge, MakeLogRow(now, watch->processor, closedEvent, "window closed by hand"));
        return;
    }
    char what[120];
    const char* name = ExitCodeName(exitCode);
    snprintf(what, sizeof what, "exit code 0x%08lX%s%s%s", (unsigned long)exitCode,
             *name ? " (" : "", name, *name ? ")" : "");
    NoteFailure(judge, watch, now, what);
}

void NoteFailure(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* what) {
    watch->tested = true;
    Fail(judge, watch, now, stoppedState, stoppedEvent, what);
}

void NoteToolEnded(ProcessorWatch* watch, uint64_t now) {
    if (watch->state == hungState)
        watch->state = stoppedState; // no longer watched; its failure is on record
    else if (watch->state == startingState || watch->state == runningState)
        watch->state = waitingState; // its core's turn ended early: silence here is no hang
    Leave(watch, now);
}

void NoteTerminated(ProcessorWatch* watch) {
    watch->terminated = true;
}

void NoteRestart(Judge* judge, ProcessorWatch* watch, uint64_t now, int hours) {
    EmitRow(judge, MakeLogRow(now, watch->processor, noteEvent,
                              "a fresh tool after %d hours: from 72 hours on a tool shows days in "
                              "place of ticks per iteration",
                              hours));
}

void NoteMove(Judge* judge, ProcessorWatch* from, ProcessorWatch* to, uint64_t now) {
    memcpy(to->line, from->line, sizeof to->line);
    to->changedMs = from->changedMs; // the same tool: its silence goes on counting
    to->load.heardBusy = to->load.busy, to->load.heardTotal = to->load.total;
    to->mhzTenths = from->mhzTenths;
    to->state = from->state == hungState ? hungState : runningState;
    to->tested = to->skipNext = true;
    to->sawBurst = false; // its first burst here may be slower

    to->settledMs = now;
    to->lastTitleMs = 0;
    to->turnBursts = 0;
    from->state = waitingState;
    Leave(from, now);
    Arrive(to, now);
    judge->turnStartMs = now;
    judge->turnStretched = false;
    char name[48];
    NameProcessor(*from, name, sizeof name);
    EmitRow(judge, MakeLogRow(now, to->processor, movedEvent, "from %s", name));
}

bool TurnMayEnd(Judge* judge, ProcessorWatch* watch, uint64_t dueMs, uint64_t now) {
    if (now < dueMs)
        return false;
    bool over = watch->turnBursts >= kProvenBursts;
    judge->turnStretched |= !over;
    judge->turnDueMs = dueMs;
    if (KnownBurstMs(*judge, *watch) || over)
        NoteStretchedTurn(judge, *watch, now);
    return over;
}

void NoteLastTurn(Judge* judge, uint64_t now) {
    for (int i = 0; i < judge->count; ++i)
        if (judge->watches[i].onProcessor)
            NoteStretchedTurn(judge, judge->watches[i], now);
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

uint64_t HungAfterMs(const Judge& judge, const ProcessorWatch& watch) {
    int32_t share = BusyShare(watch.load, watch.load.heardBusy, watch.load.heardTotal);
    if (Idle(share))
        return kHungMinimumMs; // no title and an idle processor: the tool stopped
    uint64_t tenBursts = 10 * judge.longestBurstMs;
    // Until a burst has ended here and a burst's length is known, the longest a
    // first burst may take is not known either.
    bool known = watch.sawBurst && judge.longestBurstMs;
    uint64_t least = known ? kHungMinimumMs : kFirstBurstHungMs;
    return tenBursts > least ? tenBursts : least;
}

uint64_t UnderToolMs(const ProcessorWatch& watch, uint64_t now) {
    return watch.underToolMs + (watch.onProcessor ? now - watch.onSinceMs : 0);
}

int32_t BusyShare(const LoadReadings& load, uint64_t busy, uint64_t total) {
    if (!load.known || load.total <= total || load.busy < busy)
        return -1;
    uint64_t share = ((load.busy - busy) * 200 / (load.total - total) + 1) / 2; // rounded
    return int32_t(share < 100 ? share : 100);
}

const char* ExitCodeName(uint32_t code) {
    static const struct {
        uint32_t code;
        const char* name;
    } names[] = {
        {0xC0000005, "access violation"},
        {0xC000001D, "illegal instruction"},
        {0xC0000096, "privileged instruction"},
        {0xC0000094, "integer division by zero"},
        {0xC0000095, "integer overflow"},
        {0xC000008E, "floating-point division by zero"},
        {0xC0000090, "floating-point invalid operation"},
        {0xC0000091, "floating-point overflow"},
        {0xC0000092, "floating-point stack check"},
        {0xC0000093, "floating-point underflow"},
        {0xC00000FD, "stack overflow"},
        {0xC0000409, "stack buffer overrun"},
        {0xC0000374, "heap corruption"},
        {0xC0000006, "in-page error"},
        {0xC000013A, "ended by Ctrl+C"},
        {0x80000003, "breakpoint"},
    };
    for (const auto& entry : names)
        if (entry.code == code)
            return entry.name;
    return "";
}

const char* WatchStateName(WatchState state) {
    static const char* const names[] = {"waiting", "starting", "running",
                                        "hung",    "stopped",  "closed"};
    return names[state];
}
