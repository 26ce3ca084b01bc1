#include "cores/warnings.h"

#include "cores/judge.h"

#include <algorithm>

namespace {

// Whole minutes of each slowing-down window: 5, or kSlowingWindowBursts of
// the longest bursts where that is longer, up to the ring's length.
uint64_t SlowingWindowMinutes(const Judge& judge) {
    uint64_t bursts = kSlowingWindowBursts * judge.longestBurstMs;
    uint64_t minutes = (bursts > kSlowingWindowMs ? bursts : kSlowingWindowMs) + 59999;
    minutes /= 60000;
    return minutes < uint64_t(kSlowingMaxMinutes) ? minutes : kSlowingMaxMinutes;
}

// How far back a figure reaches: kFigureSpanMs, or the interval where longer.
uint64_t FigureSpanMs(const Judge& judge) {
    return judge.everyMs > kFigureSpanMs ? judge.everyMs : kFigureSpanMs;
}

// What is compared with the other processors: the lower median of the cycles
// lines counted over the latest span, or of the latest kJudgedSamples where
// it holds fewer (long bursts); 0 until the tool has worked here a whole span
// (start-up is no steady burst) and counted that many.
uint32_t Figure(const Judge& judge, const ProcessorWatch& watch, uint64_t now) {
    uint64_t span = FigureSpanMs(judge);
    const ProcessorWarnings& own = watch.warnings;
    if (now - watch.settledMs < span)
        return 0;
    uint32_t taken[kRecentSamples];
    int count = 0;
    uint64_t kept = own.recentCount < kRecentSamples ? own.recentCount : kRecentSamples;
    for (uint64_t i = 1; i <= kept; ++i) {
        uint64_t slot = (own.recentCount - i) % kRecentSamples;
        if (count >= kJudgedSamples && now - own.recentMs[slot] > span)
            break;
        taken[count++] = own.recent[slot];
    }
    if (count < kJudgedSamples)
        return 0;
    std::nth_element(taken, taken + (count - 1) / 2, taken + count);
    return taken[(count - 1) / 2];
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

// Whether a warning row is due: one an episode, so noise that comes and
// goes writes no more rows than a warning that lasts.
bool WarningDue(WarningState* warning, bool holds, uint64_t now) {
    bool due = holds && (!warning->written || now - warning->writtenMs >= kWarningRepeatMs);
    if (due) {
        warning->written = true;
        warning->writtenMs = now;
        ++warning->count;
    }
    return due;
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
    judge->band.merged.Clear();
    for (int i = 0; i < judge->count; ++i) {
        const ProcessorWatch& other = judge->watches[i];
        if (&other != &watch && other.warnings.figure &&
            other.efficiencyClass == watch.efficiencyClass && other.state != stoppedState &&
            other.state != closedState)
            judge->band.merged.Add(other.warnings.figure);
    }
    return judge->band.merged.Median();
}

// A running tool whose processor stays idle does not load it: the tool is
// not where it should be, or not working.
void JudgeLoad(const Judge& judge, ProcessorWatch* watch, uint64_t now) {
    ProcessorWarnings* own = &watch->warnings;
    bool ranAll = watch->state == runningState && Settled(judge, *watch, now);
    own->idleIntervals = ranAll && IsIdle(watch->busyHundredths) ? own->idleIntervals + 1 : 0;
    if (!WarningDue(&own->notLoaded, own->idleIntervals >= kIdleIntervals, now))
        return;
    char busy[16], limit[16];
    FormatFixed(watch->busyHundredths, 2, busy, sizeof busy);
    FormatFixed(kLoadedHundredths, 2, limit, sizeof limit);
    LogRow row = MakeLogRow(now, watch->processor, warningEvent,
                            "not loaded: busy below %s for %d intervals while its tool ran "
                            "(%s in the last)",
                            limit, own->idleIntervals, busy);
    row.busyHundredths = watch->busyHundredths;
    EmitRow(judge, row);
}

// The median of every processor's samples in the latest window; 0 while it
// holds fewer than kJudgedSamples.
uint32_t RecentMedian(BandWarnings* band, uint64_t windowMs, uint64_t now) {
    uint64_t minute = now / 60000;
    band->merged.Clear();
    for (int slot = 0; slot < kSlowingMaxMinutes; ++slot)
        if (band->recentMinute[slot] + windowMs / 60000 > minute)
            band->merged.AddAll(band->recentMinutes[slot]);
    return band->merged.total < uint64_t(kJudgedSamples) ? 0 : band->merged.Median();
}

} // namespace

void ClearBandWarnings(BandWarnings* band, uint64_t startMs) {
    band->startMs = startMs;
    band->firstWindowMs = 0;
    band->firstWindow.Clear();
    for (int slot = 0; slot < kSlowingMaxMinutes; ++slot) {
        band->recentMinutes[slot].Clear();
        band->recentMinute[slot] = 0;
    }
    band->slowing = {};
}

void CountWarningSample(Judge* judge, ProcessorWatch* watch, uint32_t ticks, uint64_t now) {
    ProcessorWarnings* own = &watch->warnings;
    uint64_t at = own->recentCount++ % kRecentSamples;
    own->recent[at] = ticks;
    own->recentMs[at] = now;
    BandWarnings* band = &judge->band;
    if (!band->firstWindowMs && now - band->startMs < SlowingWindowMinutes(*judge) * 60000)
        band->firstWindow.Add(ticks);
    uint64_t minute = now / 60000;
    int slot = int(minute % kSlowingMaxMinutes);
    if (band->recentMinute[slot] != minute) {
        band->recentMinutes[slot].Clear();
        band->recentMinute[slot] = minute;
    }
    band->recentMinutes[slot].Add(ticks);
}

void EndWarningInterval(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    JudgeLoad(*judge, watch, now);
    uint32_t figure = watch->interval.total ? Figure(*judge, *watch, now) : 0;
    if (figure)
        watch->warnings.figure = figure, watch->warnings.figureMs = now;
}

void JudgeSlower(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    uint32_t figure = watch->warnings.figure;
    if (!figure || watch->warnings.figureMs != now) // none taken at this interval's end
        return;
    uint32_t reference = OthersFigure(judge, *watch);
    if (!reference || !WarningDue(&watch->warnings.slower, Above(figure, reference), now))
        return;
    Comparison c = Compare(figure, reference);
    LogRow row = MakeLogRow(now, watch->processor, warningEvent,
                            "slower than the rest: %s %s against a median of %s (+%.1f %%)",
                            c.value, FigureUnit(*judge), c.against, c.percentAbove);
    row.ticksHundredths = int32_t(figure);
    row.mhzTenths = watch->mhzTenths;
    EmitRow(*judge, row);
}

void JudgeSlowing(Judge* judge, uint64_t now) {
    BandWarnings* band = &judge->band;
    uint64_t windowMs = SlowingWindowMinutes(*judge) * 60000;
    uint64_t since = now - band->startMs; // a part of the run is compared with itself
    if (!band->firstWindowMs && since >= windowMs)
        band->firstWindowMs = windowMs;
    if (!band->firstWindowMs || since < band->firstWindowMs + windowMs ||
        band->firstWindow.total < uint64_t(kJudgedSamples))
        return;
    uint32_t recent = RecentMedian(band, windowMs, now), first = band->firstWindow.Median();
    if (!recent || !WarningDue(&band->slowing, Above(recent, first), now))
        return;
    Comparison c = Compare(recent, first);
    LogRow row = MakeLogRow(now, -1, warningEvent,
                            "slowing down: median %s %s in the last %u minutes against %s in "
                            "the first %u (+%.1f %%)",
                            c.value, FigureUnit(*judge), unsigned(windowMs / 60000), c.against,
                            unsigned(band->firstWindowMs / 60000), c.percentAbove);
    row.ticksHundredths = int32_t(recent);
    EmitRow(*judge, row);
}
