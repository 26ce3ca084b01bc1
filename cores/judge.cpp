#include "cores/judge.h"

#include "app/burn_kernel.h"
#include "cores/tool_title.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

namespace {

void Emit(Judge* judge, const LogRow& row) {
    judge->sink.write(judge->sink.context, row);
}

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

void CountSample(Judge* judge, ProcessorWatch* watch, uint32_t ticks, uint64_t now) {
    watch->interval.Add(ticks);
    watch->run.Add(ticks);
    if (now < kSlowingWindowMs)
        judge->firstMinutes.Add(ticks);
    uint64_t minute = now / 60000;
    int slot = int(minute % 5);
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

// True when `value` lies more than kSlowerPercent above `reference`.
bool Above(uint32_t value, uint32_t reference) {
    return uint64_t(value) * 100 > uint64_t(reference) * (100 + kSlowerPercent);
}

double PercentAbove(uint32_t value, uint32_t reference) {
    return (double(value) / reference - 1) * 100;
}

// A warning that holds is written when it starts and then every 10 minutes.
bool WarningDue(bool* holds, uint64_t* writtenMs, uint64_t now) {
    bool due = !*holds || now - *writtenMs >= kWarningRepeatMs;
    *holds = true;
    if (due)
        *writtenMs = now;
    return due;
}

void WriteFigures(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    LogRow row = MakeLogRow(now, watch->processor, figuresEvent, "samples %llu",
                            (unsigned long long)watch->interval.total);
    if (watch->interval.total)
        row.ticksHundredths = int32_t(watch->interval.Median());
    row.mhzTenths = watch->mhzTenths;
    Emit(judge, row);
}

// Whether the tool ran on the processor for the whole interval: the one
// in which it started, or moved, compares start-up with steady bursts.
bool Settled(const Judge& judge, const ProcessorWatch& watch, uint64_t now) {
    return now - watch.settledMs >= judge.everyMs;
}

// Each processor's interval median against the lower median of the latest
// ones of every processor still tested.
void JudgeSlower(Judge* judge, uint64_t now) {
    judge->merged.Clear();
    for (int i = 0; i < judge->count; ++i) {
        const ProcessorWatch& watch = judge->watches[i];
        if (watch.lastMedian && watch.state != stoppedState && watch.state != closedState)
            judge->merged.Add(watch.lastMedian);
    }
    if (judge->merged.total < 2)
        return;
    uint32_t reference = judge->merged.Median();
    for (int i = 0; i < judge->count; ++i) {
        ProcessorWatch* watch = &judge->watches[i];
        if (!watch->interval.total || !Settled(*judge, *watch, now))
            continue;
        uint32_t median = watch->interval.Median();
        if (!Above(median, reference)) {
            watch->slower = false;
        } else if (WarningDue(&watch->slower, &watch->slowerWrittenMs, now)) {
            char value[16], against[16];
            FormatFixed(int32_t(median), 2, value, sizeof value);
            FormatFixed(int32_t(reference), 2, against, sizeof against);
            LogRow row =
                MakeLogRow(now, watch->processor, warningEvent,
                           "slower than the rest: %s ticks against a median of %s (+%.1f %%)",
                           value, against, PercentAbove(median, reference));
            row.ticksHundredths = int32_t(median);
            row.mhzTenths = watch->mhzTenths;
            ++watch->warnings;
            Emit(judge, row);
        }
    }
}

// Every processor's samples of the last 5 minutes against those of the first 5.
void JudgeSlowing(Judge* judge, uint64_t now) {
    if (now < 2 * kSlowingWindowMs || !judge->firstMinutes.total)
        return;
    uint64_t minute = now / 60000;
    judge->merged.Clear();
    for (int slot = 0; slot < 5; ++slot)
        if (judge->recentMinute[slot] + 5 > minute)
            judge->merged.AddAll(judge->recentMinutes[slot]);
    if (!judge->merged.total)
        return;
    uint32_t recent = judge->merged.Median();
    uint32_t first = judge->firstMinutes.Median();
    if (!Above(recent, first)) {
        judge->slowing = false;
    } else if (WarningDue(&judge->slowing, &judge->slowingWrittenMs, now)) {
        char value[16], against[16];
        FormatFixed(int32_t(recent), 2, value, sizeof value);
        FormatFixed(int32_t(first), 2, against, sizeof against);
        LogRow row = MakeLogRow(now, -1, warningEvent,
                                "slowing down: median %s ticks in the last 5 minutes against %s "
                                "in the first 5 (+%.1f %%)",
                                value, against, PercentAbove(recent, first));
        row.ticksHundredths = int32_t(recent);
        ++judge->slowingWarnings;
        Emit(judge, row);
    }
}

// A failure becomes the processor's state and a row; the first one stays on
// record: "hung, no new title for 31 s at 0:02:10".
void Fail(Judge* judge, ProcessorWatch* watch, uint64_t now, WatchState state, LogEvent event,
          const char* what) {
    char at[24];
    FormatRunTime(now, at, sizeof at);
    if (!watch->failure[0])
        snprintf(watch->failure, sizeof watch->failure, "%s, %s at %s", WatchStateName(state), what,
                 at);
    watch->state = state;
    Emit(judge, MakeLogRow(now, watch->processor, event, "%s", what));
}

} // namespace

void StartJudge(Judge* judge, uint64_t processors, uint32_t everySeconds, bool cycling,
                RowSink sink) {
    judge->count = 0;
    for (int p = 0; p < kMaxProcessors; ++p) {
        if (!(processors >> p & 1))
            continue;
        ProcessorWatch* watch = &judge->watches[judge->count++];
        watch->processor = p;
        watch->state = waitingState;
        watch->tested = watch->skipNext = watch->slower = watch->terminated = false;
        watch->line[0] = watch->failure[0] = watch->note[0] = '\0';
        watch->changedMs = watch->settledMs = watch->slowerWrittenMs = 0;
        watch->mhzTenths = -1;
        watch->interval.Clear();
        watch->run.Clear();
        watch->lastMedian = 0;
        watch->warnings = 0;
    }
    judge->everyMs = uint64_t(everySeconds) * 1000;
    judge->nextFiguresMs = judge->everyMs;
    judge->longestBurstMs = 0;
    judge->mhzTenths = -1;
    judge->firstMinutes.Clear();
    for (int slot = 0; slot < 5; ++slot) {
        judge->recentMinutes[slot].Clear();
        judge->recentMinute[slot] = 0;
    }
    judge->slowing = false;
    judge->slowingWrittenMs = 0;
    judge->slowingWarnings = 0;
    judge->cycling = cycling;
    judge->sink = sink;
}

ProcessorWatch* FindWatch(Judge* judge, int processor) {
    for (int i = 0; i < judge->count; ++i)
        if (judge->watches[i].processor == processor)
            return &judge->watches[i];
    return nullptr;
}

void NoteStarted(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* toolPath) {
    watch->state = startingState;
    watch->tested = true;
    watch->skipNext = false;
    watch->line[0] = '\0';
    watch->changedMs = now;
    Emit(judge, MakeLogRow(now, watch->processor, startEvent, "%s", toolPath));
}

void NoteWindow(ProcessorWatch* watch, uint64_t now) {
    watch->state = runningState;
    watch->changedMs = watch->settledMs = now;
}

void NoteTitle(Judge* judge, ProcessorWatch* watch, const char* title, uint64_t now) {
    if (!Active(*watch) || strncmp(watch->line, title, sizeof watch->line - 1) == 0)
        return;
    snprintf(watch->line, sizeof watch->line, "%s", title);
    watch->changedMs = now;
    if (watch->state == hungState)
        watch->state = runningState; // alive again; the failure stays on record
    bool counted = !watch->skipNext;
    watch->skipNext = false;
    ToolTitle parsed = ParseToolTitle(title);
    if (parsed.kind == clockRateTitle) {
        watch->mhzTenths = judge->mhzTenths = parsed.mhzTenths;
    } else if (parsed.kind == cyclesTitle && counted && parsed.ticksHundredths > 0) {
        CountSample(judge, watch, uint32_t(parsed.ticksHundredths), now);
    }
}

void NoteExit(Judge* judge, ProcessorWatch* watch, uint32_t exitCode, uint64_t now) {
    if (exitCode == 0) {
        char at[24];
        FormatRunTime(now, at, sizeof at);
        snprintf(watch->note, sizeof watch->note, "closed by hand at %s", at);
        watch->state = closedState;
        Emit(judge, MakeLogRow(now, watch->processor, closedEvent, "window closed by hand"));
        return;
    }
    char what[120];
    const char* name = ExitCodeName(exitCode);
    snprintf(what, sizeof what, "exit code 0x%08lX%s%s%s", (unsigned long)exitCode,
             *name ? " (" : "", name, *name ? ")" : "");
    NoteFailure(judge, watch, now, what);
}

void NoteFailure(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* what) {
    Fail(judge, watch, now, stoppedState, stoppedEvent, what);
}

void NoteMove(Judge* judge, ProcessorWatch* from, ProcessorWatch* to, uint64_t now) {
    memcpy(to->line, from->line, sizeof to->line);
    to->changedMs = from->changedMs; // the same tool: its silence goes on counting
    to->mhzTenths = from->mhzTenths;
    to->state = from->state == hungState ? hungState : runningState;
    to->tested = to->skipNext = true;
    to->settledMs = now;
    from->state = waitingState;
    Emit(judge, MakeLogRow(now, to->processor, movedEvent, "from %d", from->processor));
}

uint64_t HungAfterMs(const Judge& judge) {
    uint64_t tenBursts = 10 * judge.longestBurstMs;
    return tenBursts > kHungMinimumMs ? tenBursts : kHungMinimumMs;
}

void JudgeTick(Judge* judge, uint64_t now) {
    uint64_t hungAfter = HungAfterMs(*judge);
    for (int i = 0; i < judge->count; ++i) {
        ProcessorWatch* watch = &judge->watches[i];
        uint64_t silent = now - watch->changedMs;
        if (watch->state != runningState || silent <= hungAfter)
            continue;
        char what[80];
        snprintf(what, sizeof what, "no new title for %llu s", (unsigned long long)(silent / 1000));
        Fail(judge, watch, now, hungState, hungEvent, what);
    }
    if (now < judge->nextFiguresMs)
        return;
    judge->nextFiguresMs = now - now % judge->everyMs + judge->everyMs;
    for (int i = 0; i < judge->count; ++i) {
        ProcessorWatch* watch = &judge->watches[i];
        if (Active(*watch) || watch->interval.total)
            WriteFigures(judge, watch, now);
        if (watch->interval.total && Settled(*judge, *watch, now))
            watch->lastMedian = watch->interval.Median();
    }
    JudgeSlower(judge, now);
    for (int i = 0; i < judge->count; ++i)
        judge->watches[i].interval.Clear();
    JudgeSlowing(judge, now);
}

namespace {

// How many processors each list of the verdict names.
const int kListed = 3;

// Appends printf-formatted text to a bounded buffer.
void Append(char* text, int size, const char* format, ...)
    __attribute__((format(gnu_printf, 3, 4)));
void Append(char* text, int size, const char* format, ...) {
    size_t used = strlen(text);
    va_list args;
    va_start(args, format);
    vsnprintf(text + used, size_t(size) - used, format, args);
    va_end(args);
}

} // namespace

void VerdictText(const Judge& judge, uint64_t now, const char* note, char* text, int size) {
    int tested = 0, failed = 0, closed = 0, warned = 0, untested = 0;
    for (int i = 0; i < judge.count; ++i) {
        const ProcessorWatch& watch = judge.watches[i];
        tested += watch.tested;
        untested += !watch.tested;
        failed += watch.failure[0] != '\0';
        closed += watch.note[0] != '\0';
        warned += watch.warnings > 0;
    }
    char runTime[24];
    FormatRunTime(now, runTime, sizeof runTime);
    snprintf(text, size_t(size), "%s: %d processor%s ran%s for %s, ", failed ? "FAIL" : "PASS",
             tested, tested == 1 ? "" : "s", judge.cycling ? " in turn" : "", runTime);
    if (!failed)
        Append(text, size, "none failed");
    else
        Append(text, size, "%d failed: ", failed);
    // Each list is cut after a few: the end rows name every processor.
    for (int i = 0, listed = 0; i < judge.count; ++i)
        if (judge.watches[i].failure[0] && listed++ < kListed)
            Append(text, size, "%sprocessor %d %s", listed > 1 ? "; " : "",
                   judge.watches[i].processor, judge.watches[i].failure);
    if (failed > kListed)
        Append(text, size, "; %d more in the end rows", failed - kListed);
    for (int i = 0, listed = 0; i < judge.count; ++i)
        if (judge.watches[i].note[0] && listed++ < kListed)
            Append(text, size, "; processor %d %s", judge.watches[i].processor,
                   judge.watches[i].note);
    if (closed > kListed)
        Append(text, size, "; %d more closed by hand", closed - kListed);
    if (untested)
        Append(text, size, "; %d not tested", untested);
    if (warned || judge.slowingWarnings)
        Append(text, size, "; warnings:");
    if (judge.slowingWarnings)
        Append(text, size, " slowing down (%d)%s", judge.slowingWarnings, warned ? "," : "");
    for (int i = 0, listed = 0; i < judge.count; ++i)
        if (judge.watches[i].warnings && listed++ < kListed)
            Append(text, size, "%s processor %d slower than the rest (%d)", listed > 1 ? "," : "",
                   judge.watches[i].processor, judge.watches[i].warnings);
    if (warned > kListed)
        Append(text, size, ", %d more processors slower than the rest", warned - kListed);
    if (note && *note)
        Append(text, size, "; %s", note);
}

int FinishJudge(Judge* judge, uint64_t now, const char* note) {
    bool failed = false;
    for (int i = 0; i < judge->count; ++i) {
        ProcessorWatch* watch = &judge->watches[i];
        const char* outcome = watch->failure[0] ? watch->failure
                              : watch->tested   ? "ok"
                                                : "not tested";
        LogRow row = MakeLogRow(now, watch->processor, endEvent, "%s%s%s%s", outcome,
                                watch->note[0] && !watch->failure[0] ? ", " : "",
                                watch->failure[0] ? "" : watch->note,
                                watch->terminated ? "; terminated 5 s after WM_CLOSE" : "");
        if (watch->run.total)
            row.ticksHundredths = int32_t(watch->run.Median());
        row.mhzTenths = watch->mhzTenths;
        Emit(judge, row);
        failed |= watch->failure[0] != '\0';
    }
    LogRow verdict = MakeLogRow(now, -1, verdictEvent, "%s", "");
    VerdictText(*judge, now, note, verdict.detail, sizeof verdict.detail);
    Emit(judge, verdict);
    return failed ? 1 : 0;
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
