#pragma once

#include "cores/value_counts.h"

#include <stdint.h>

// The three warnings, none of them a failure: a processor slower than the
// rest of its class, one its tool does not load, and the whole band slowing
// down. Their records; the judging is in warnings.cpp.

struct Judge;
struct ProcessorWatch;

// A slower processor is one whose figure lies more than this share above the
// median of the others'; the whole band slows down when the last window lies
// this far above the first.
const int kSlowerPercent = 10;
// The fewest cycles lines a figure of "slower than the rest" or a window of
// "slowing down" is made of.
const int kJudgedSamples = 5;
// A figure of "slower than the rest" spans at least this much of the
// processor's latest work (or the figures interval, where that is longer),
// whatever --every is: the span the 10 % limit's spread was measured over.
const uint64_t kFigureSpanMs = 10000;
// The latest cycles lines kept per processor: more than 10 s of them where
// bursts last 35 ms.
const int kRecentSamples = 256;
const uint64_t kSlowingWindowMs = 5 * 60 * 1000;
const int kSlowingWindowBursts = 20; // where bursts are long, a window holds this many
const int kSlowingMaxMinutes = 60;
const uint64_t kWarningRepeatMs = 10 * 60 * 1000;
// A running tool's processor busy below kLoadedHundredths (hundredths) for
// kIdleIntervals figures intervals in a row is not loaded.
const int kIdleIntervals = 3;

// A warning that may hold for a while, or come and go: written when it
// starts to hold, then not again within kWarningRepeatMs, whether it held all
// along or came and went.
struct WarningState {
    bool written; // in this part of the run
    uint64_t writtenMs;
    int count; // rows written
};

// A processor's side: the figure it is compared with and its idle intervals.
struct ProcessorWarnings {
    uint32_t recent[kRecentSamples];   // the latest cycles lines, a ring
    uint64_t recentMs[kRecentSamples]; // when each was counted
    uint64_t recentCount;              // ever counted
    uint32_t figure;   // compared with the others' at the latest interval's end; 0: none
    uint64_t figureMs; // when it was taken
    int idleIntervals; // in a row while its tool ran
    WarningState slower;
    WarningState notLoaded;
};

// The whole band's: every processor's samples of the first window against
// the latest window, kept by the minute in a ring.
struct BandWarnings {
    uint64_t startMs;       // the windows count from here: the start of this part of the run
    uint64_t firstWindowMs; // its length once it has closed; 0 while open
    ValueCounts firstWindow;
    ValueCounts recentMinutes[kSlowingMaxMinutes];
    uint64_t recentMinute[kSlowingMaxMinutes]; // which minute each holds
    ValueCounts merged;                        // scratch
    WarningState slowing;
};

// Forgets every sample and warning; the windows count from `startMs`.
void ClearBandWarnings(BandWarnings* band, uint64_t startMs);
// A counted cycles line of the processor, for its figure and the band's windows.
void CountWarningSample(Judge* judge, ProcessorWatch* watch, uint32_t ticks, uint64_t now);
// At the end of a figures interval: the load warning and the figure the
// others are compared with.
void EndWarningInterval(Judge* judge, ProcessorWatch* watch, uint64_t now);
// After every processor's interval ended: slower than the rest.
void JudgeSlower(Judge* judge, ProcessorWatch* watch, uint64_t now);
// The band's latest window against its first.
void JudgeSlowing(Judge* judge, uint64_t now);
