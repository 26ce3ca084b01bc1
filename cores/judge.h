#pragma once

#include "cores/processor_limit.h"
#include "cores/log_row.h"
#include "cores/topology.h"
#include "cores/value_counts.h"

#include <stdint.h>

// The judging of a run over what the tools' titles say, how their processes
// end and how busy their processors are. No Windows calls: the caller feeds
// titles, exits, processor times and run times (milliseconds since the run
// started) and takes the rows it is given.

enum WatchState {
    waitingState,  // cycle mode: the tool is on another processor
    startingState, // started, its window not yet found
    runningState,
    hungState,
    stoppedState, // ended by itself with an error, or could not be run
    closedState   // its window was closed by hand: no longer tested
};

// A processor is proven by this many counted bursts; fewer is no PASS, and a
// cycle turn lasts until its processor has finished this many.
const int kProvenBursts = 3;
// A slower processor is one whose figure lies more than this share above the
// median of the others'; the whole band slows down when the last window lies
// this far above the first.
const int kSlowerPercent = 10;
// The fewest cycles lines a figure of "slower than the rest" or a window of
// "slowing down" is made of.
const int kJudgedSamples = 5;
const uint64_t kHungMinimumMs = 30000;
const uint64_t kFirstBurstHungMs =
    120000; // before a tool's first burst, while its processor is busy
const uint64_t kSlowingWindowMs = 5 * 60 * 1000;
const int kSlowingWindowBursts = 20; // where bursts are long, a window holds this many
const int kSlowingMaxMinutes = 60;
const uint64_t kWarningRepeatMs = 10 * 60 * 1000;
// A processor below this busy share (in hundredths) is idle; a running tool's
// processor this idle for kIdleIntervals figures intervals in a row is not loaded.
const int32_t kLoadedHundredths = 50;
const int kIdleIntervals = 3;

// A warning that may hold for a while: written when it starts, then every
// kWarningRepeatMs while it lasts.
struct WarningState {
    bool holds;
    uint64_t writtenMs;
    int count; // rows written
};

// A processor's cumulative busy and total time as the system counts them
// (100 ns units), now and at the two moments shares are measured from.
struct LoadReadings {
    bool known;
    uint64_t busy, total;
    uint64_t intervalBusy, intervalTotal; // at the start of the figures interval
    uint64_t heardBusy, heardTotal;       // when the tool was last heard from
};

// A failure on record: the state it put the processor in, when, and what
// happened in the caller's words.
struct FailureRecord {
    bool failed;
    WatchState state; // hung or stopped
    uint64_t atMs;
    char what[200];
};

struct ProcessorWatch {
    int processor;
    int core;            // from the topology; -1: unknown
    int efficiencyClass; // of its core; compared only with its own class
    WatchState state;
    bool tested;        // a tool ran on it
    bool skipNext;      // the first title after a move is not counted
    bool sawBurst;      // a burst ended here since the tool came onto it
    char line[256];     // the latest title
    uint64_t changedMs; // when the title last changed, or the tool started
    uint64_t settledMs; // when its window appeared or the tool moved onto it
    int32_t mhzTenths;  // latest clock rate; -1: none yet
    int bursts;         // counted bursts on this processor, the evidence
    int intervalBursts; // of them, in this figures interval
    int turnBursts;     // of them, since the tool came onto it
    bool onProcessor;   // a tool is on it now, since onSinceMs
    uint64_t onSinceMs;
    uint64_t underToolMs;            // before onSinceMs
    uint64_t lastTitleMs;            // when the latest status line appeared here; 0: none yet
    uint64_t burstGapMs;             // between the latest two: a burst's length; 0: unknown
    ValueCounts interval;            // cycles lines of this figures interval
    ValueCounts run;                 // cycles lines of the whole run
    uint32_t latest[kJudgedSamples]; // the latest cycles lines, a ring
    int latestCount;
    uint32_t figure; // compared with the others': of the latest settled interval; 0: none
    LoadReadings load;
    int32_t busyHundredths; // busy share of the latest interval; -1: unknown
    int idleIntervals;      // in a row while its tool ran
    FailureRecord failure;  // the first failure; later ones do not replace it
    bool closedByHand;      // not a failure: its window was closed by hand at closedMs
    uint64_t closedMs;
    bool terminated; // still running 5 s after the closing WM_CLOSE
    WarningState slower;
    WarningState notLoaded;
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
    uint64_t longestBurstMs; // estimated from ticks and clock rate
    int32_t mhzTenths;       // latest clock rate of any processor
    // Slowing down: every processor's samples of the first window against the
    // latest window, kept by the minute in a ring.
    uint64_t firstWindowMs; // its length once it has closed; 0 while open
    ValueCounts firstWindow;
    ValueCounts recentMinutes[kSlowingMaxMinutes];
    uint64_t recentMinute[kSlowingMaxMinutes]; // which minute each holds
    ValueCounts merged;                        // scratch
    WarningState slowing;
    bool cycling;         // the tools moved from core to core
    uint64_t turnStartMs; // cycle mode: when the tools came onto their core
    uint64_t turnDueMs;   // when its time is up
    bool turnStretched;   // the current turn ran past its time
    bool stretchNoted;
    RowSink sink;
};

// One watch per processor of the mask, in ascending order, all waiting.
void StartJudge(Judge* judge, uint64_t processors, uint32_t everySeconds, bool cycling,
                RowSink sink);
ProcessorWatch* FindWatch(Judge* judge, int processor);
// Hands a row to the sink, with the core of its processor's watch.
void EmitRow(Judge* judge, LogRow row);
// A topology row per watch saying where its processor sits; with no
// topology (null) one note row saying so.
void WriteTopologyRows(Judge* judge, const Topology* topology, uint64_t now);
// Gives each watch its core and efficiency class.
void PlaceWatches(Judge* judge, const Topology& topology);
// "processor 13 (core 6)", or "processor 13" where the core is unknown.
void NameProcessor(const ProcessorWatch& watch, char* text, int size);

// A tool was started on the processor.
void NoteStarted(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* toolPath);
// Its window was found.
void NoteWindow(ProcessorWatch* watch, uint64_t now);
// The title the tool shows now; a title that did not change is no news.
void NoteTitle(Judge* judge, ProcessorWatch* watch, const char* title, uint64_t now);
// The processor's cumulative busy and total time (100 ns units).
void NoteLoad(ProcessorWatch* watch, uint64_t busy, uint64_t total);
// The tool's process ended by itself with this exit code.
void NoteExit(Judge* judge, ProcessorWatch* watch, uint32_t exitCode, uint64_t now);
// The tool could not be run or watched (no window, no mask): stopped.
void NoteFailure(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* what);
// The supervisor ended the tool on the processor: a hung one is stopped for
// good, a healthy one waits for its next turn.
void NoteToolEnded(ProcessorWatch* watch, uint64_t now);
// As the run ends, the tool was still running 5 s after WM_CLOSE and was terminated.
void NoteTerminated(ProcessorWatch* watch);
// The tool is about to be replaced by a fresh process after `hours`: a note row.
void NoteRestart(Judge* judge, ProcessorWatch* watch, uint64_t now, int hours);
// Cycle mode: the running tool now runs on `to`.
void NoteMove(Judge* judge, ProcessorWatch* from, ProcessorWatch* to, uint64_t now);
// Cycle mode: whether the turn on `watch`, due to end at `dueMs`, may end: its
// time is up and its processor has finished kProvenBursts counted bursts. The
// first turn that runs past its time is noted once, with the burst length as
// soon as it is known, or at the end of the run.
bool TurnMayEnd(Judge* judge, ProcessorWatch* watch, uint64_t dueMs, uint64_t now);
// As the run ends: a turn that ran past its time and was not noted yet.
void NoteLastTurn(Judge* judge, uint64_t now);
// Hung tools, and every figures interval the figures and warnings.
void JudgeTick(Judge* judge, uint64_t now);

// How long the tool on the processor may show no new title before it counts
// as hung: 30 s when its processor has been idle since, else at least 10 of
// the longest bursts, and before its first burst at least 2 minutes.
uint64_t HungAfterMs(const Judge& judge, const ProcessorWatch& watch);
// How long a tool ran on the processor by `now`.
uint64_t UnderToolMs(const ProcessorWatch& watch, uint64_t now);
// The busy share (hundredths) between a reading and the latest; -1: unknown.
int32_t BusyShare(const LoadReadings& load, uint64_t busy, uint64_t total);
// "access violation" for 0xC0000005 and the like; empty when unknown.
const char* ExitCodeName(uint32_t code);
const char* WatchStateName(WatchState state);

// A failure is on record: the tool stopped with an error, hung or could not run.
inline bool Failed(const ProcessorWatch& watch) {
    return watch.failure.failed;
}
