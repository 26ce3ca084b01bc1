#pragma once

#include "cores/cores_options.h"
#include "cores/log_row.h"
#include "cores/value_counts.h"

#include <stdint.h>

// The judging of a run over what the tools' titles say and how their
// processes end. No Windows calls: the caller feeds titles, exits and times
// (milliseconds since the run started) and takes the rows it is given.

enum WatchState {
    waitingState,  // cycle mode: the tool is on another processor
    startingState, // started, its window not yet found
    runningState,
    hungState,
    stoppedState, // ended by itself with an error, or could not be run
    closedState   // its window was closed by hand: no longer tested
};

// A slower processor is one whose median ticks per iteration lies more than
// this share above the median of all processors; the whole band slows down
// when the last 5 minutes lie this far above the first 5.
const int kSlowerPercent = 10;
const uint64_t kHungMinimumMs = 30000;
const uint64_t kSlowingWindowMs = 5 * 60 * 1000;
const uint64_t kWarningRepeatMs = 10 * 60 * 1000;

struct ProcessorWatch {
    int processor;
    WatchState state;
    bool tested;          // a tool ran on it
    bool skipNext;        // the first title after a move is not counted
    char line[256];       // the latest title
    uint64_t changedMs;   // when the title last changed, or the tool started
    uint64_t settledMs;   // when its window appeared or the tool moved onto it
    int32_t mhzTenths;    // latest clock rate; -1: none yet
    ValueCounts interval; // cycles lines of this figures interval
    ValueCounts run;      // cycles lines of the whole run
    uint32_t lastMedian;  // of the latest interval with samples; 0: none
    char failure[200];    // empty while nothing failed
    char note[80];        // not a failure: closed by hand, terminated at the end
    bool terminated;      // still running 5 s after the closing WM_CLOSE
    int warnings;         // warning rows written
    bool slower;          // the slower-than-the-rest warning holds
    uint64_t slowerWrittenMs;
};

// Receives every row as it happens.
struct RowSink {
    void (*write)(void* context, const LogRow& row);
    void* context;
};

struct Judge {
    ProcessorWatch watches[kMaxProcessors];
    int count;
    uint64_t everyMs;
    uint64_t nextFiguresMs;
    uint64_t longestBurstMs;      // estimated from ticks and clock rate
    int32_t mhzTenths;            // latest clock rate of any processor
    ValueCounts firstMinutes;     // every processor's samples of the first 5 minutes
    ValueCounts recentMinutes[5]; // the latest minutes, one each, a ring
    uint64_t recentMinute[5];     // which minute each holds
    ValueCounts merged;           // scratch
    bool slowing;
    uint64_t slowingWrittenMs;
    int slowingWarnings;
    bool cycling; // one tool moved from processor to processor
    RowSink sink;
};

// One watch per processor of the mask, in ascending order, all waiting.
void StartJudge(Judge* judge, uint64_t processors, uint32_t everySeconds, bool cycling,
                RowSink sink);
ProcessorWatch* FindWatch(Judge* judge, int processor);

// A tool was started on the processor.
void NoteStarted(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* toolPath);
// Its window was found.
void NoteWindow(ProcessorWatch* watch, uint64_t now);
// The title the tool shows now; a title that did not change is no news.
void NoteTitle(Judge* judge, ProcessorWatch* watch, const char* title, uint64_t now);
// The tool's process ended by itself with this exit code.
void NoteExit(Judge* judge, ProcessorWatch* watch, uint32_t exitCode, uint64_t now);
// The tool could not be run or watched (no window, no mask): stopped.
void NoteFailure(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* what);
// Cycle mode: the running tool now runs on `to`.
void NoteMove(Judge* judge, ProcessorWatch* from, ProcessorWatch* to, uint64_t now);
// Hung tools, and every figures interval the figures and warnings.
void JudgeTick(Judge* judge, uint64_t now);
// The end rows and the verdict row; `note` (may be null) is added to the
// verdict. The exit code: 0 for PASS, 1 for FAIL.
int FinishJudge(Judge* judge, uint64_t now, const char* note);

// The verdict as a person reads it: "PASS: ..." or "FAIL: ...".
void VerdictText(const Judge& judge, uint64_t now, const char* note, char* text, int size);
// How long a tool may show no new title before it counts as hung.
uint64_t HungAfterMs(const Judge& judge);
// "access violation" for 0xC0000005 and the like; empty when unknown.
const char* ExitCodeName(uint32_t code);
const char* WatchStateName(WatchState state);
