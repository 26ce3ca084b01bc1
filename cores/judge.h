#pragma once

#include "cores/hung_rule.h"
#include "cores/log_row.h"
#include "cores/processor_limit.h"
#include "cores/topology.h"
#include "cores/value_counts.h"
#include "cores/warnings.h"
#include "check/check_burst.h"

#include <stdint.h>

// The judging of a run over what the tools' titles say, how their processes
// end and how busy their processors are. No Windows calls: the caller tells
// the judge titles, exits, processor times and run times (milliseconds since
// the run started) and takes the rows it is given. Functions named Tell* tell
// the judge what happened; rows go out through EmitRow alone.

enum WatchState {
    waitingState,  // cycle mode: the tool is on another processor
    startingState, // started, its window not yet found
    runningState,
    hungState,
    stoppedState, // ended by itself with an error, or could not be run
    closedState,  // its window was closed by hand: no longer tested
    wrongState    // on record only: the check workload computed a wrong result
};

// A processor is proven by this many counted bursts; fewer is no PASS, and a
// cycle turn lasts until its processor has finished this many.
const int kProvenBursts = 3;
// From this many hours on a tool shows days in place of ticks per iteration.
const int kToolDaysFromHours = 72;
// A tool still running this long after the closing WM_CLOSE is terminated.
const int kCloseWaitSeconds = 5;

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
    int movedFrom; // in its tool's first burst after a move from this processor; -1: not
};

// One processor's watch. Every field starts from its value here, so a new
// field cannot keep an earlier run's data.
struct ProcessorWatch {
    int processor = 0;
    int core = -1;           // from the topology; -1: unknown
    int efficiencyClass = 0; // of its core; compared only with its own class
    WatchState state = waitingState;
    bool tested = false;      // a tool ran on it
    bool skipNext = false;    // the first title after a move is not counted
    bool sawBurst = false;    // a burst ended here since the tool came onto it
    char line[256] = "";      // the latest title
    uint64_t changedMs = 0;   // when the title last changed, or the tool started
    uint64_t settledMs = 0;   // when its window appeared or the tool moved onto it
    int32_t mhzTenths = -1;   // latest clock rate; -1: none yet
    int bursts = 0;           // counted bursts on this processor, the evidence
    int intervalBursts = 0;   // of them, in this figures interval
    int turnBursts = 0;       // of them, since the tool came onto it
    int movedFrom = -1;       // its tool came by a move from this processor; -1: started here
    bool onProcessor = false; // a tool is on it now, since onSinceMs
    uint64_t onSinceMs = 0;
    uint64_t underToolMs = 0; // before onSinceMs
    uint64_t lastTitleMs = 0; // when the latest status line appeared here; 0: none yet
    uint64_t burstGapMs = 0;  // between the latest two: a burst's length; 0: unknown
    ValueCounts interval;     // cycles lines of this figures interval
    ValueCounts run;          // cycles lines of the whole run
    LoadReadings load = {};
    int32_t busyHundredths = -1; // busy share of the latest interval; -1: unknown
    FailureRecord failure = {};  // the first failure; later ones do not replace it
    bool closedByHand = false;   // not a failure: its window was closed by hand at closedMs
    uint64_t closedMs = 0;
    bool terminated = false; // still running kCloseWaitSeconds after the closing WM_CLOSE
    ProcessorWarnings warnings = {};
    // The check workload: its title's counts as last read, and its wrong
    // results told to the judge.
    uint64_t checkBursts = 0;
    uint64_t checkErrors = 0;
    uint64_t wrongBurst = 0; // the latest wrong one, by the title
    uint64_t errorsTold = 0;
    uint64_t spanStartMs = 0; // the title read its figure's span began at; 0: none yet
    uint64_t spanBursts = 0;  // counted since
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
    uint64_t longestBurstMs; // measured, or estimated from ticks and clock rate
    int32_t mhzTenths;       // latest clock rate of any processor
    BandWarnings band;
    bool cycling;      // the tools moved from core to core
    int parts;         // the run went on after the machine stopped this many times, plus 1
    int stoppedAtOnce; // all at once: processors under the tool when the machine stopped
    bool checkFigures; // the figures are milliseconds a burst of the check workload, not ticks
    RowSink sink;
};

// The check workload's figure spans at least this much of its bursts, so that
// a burst half done at either end moves it by under 1 %.
const uint64_t kCheckSpanMs = 2000;

// What the figures count: "ticks", or "ms a burst" for the check workload.
inline const char* FigureUnit(const Judge& judge) {
    return judge.checkFigures ? "ms a burst" : "ticks";
}

// One watch per processor of the mask, in ascending order, all waiting.
void StartJudge(Judge* judge, uint64_t processors, uint32_t everySeconds, bool cycling,
                RowSink sink);
ProcessorWatch* FindWatch(Judge* judge, int processor);
// Hands a row to the sink, with the core, bursts and time under the tool of
// its processor's watch.
void EmitRow(const Judge& judge, LogRow row);
// A topology row per watch saying where its processor sits; with no
// topology (null) one note row saying so.
void WriteTopologyRows(const Judge& judge, const Topology* topology, uint64_t now);
// Gives each watch its core and efficiency class.
void PlaceWatches(Judge* judge, const Topology& topology);

// A tool was started on the processor.
void TellStarted(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* toolPath);
// Its window was found.
void TellWindow(ProcessorWatch* watch, uint64_t now);
// The title the tool shows now; a title that did not change is no news.
void TellTitle(Judge* judge, ProcessorWatch* watch, const char* title, uint64_t now);
// The check workload's title showed more wrong results than were told: the
// caller reads what they were (TellWrongResult).
inline bool WrongResultUntold(const ProcessorWatch& watch) {
    return watch.checkErrors > watch.errorsTold;
}
// The check workload computed one or more wrong results since the last told:
// a failure and an error row naming the latest, with its values where the
// caller read them (`wrong` null, or of another burst: the title's burst alone).
void TellWrongResult(Judge* judge, ProcessorWatch* watch, const CheckResult* wrong, uint64_t now);
// The processor's cumulative busy and total time (100 ns units).
void TellLoad(ProcessorWatch* watch, uint64_t busy, uint64_t total);
// The tool's process ended by itself with this exit code.
void TellExit(Judge* judge, ProcessorWatch* watch, uint32_t exitCode, uint64_t now);
// The tool could not be run or watched (no window, no mask): stopped.
void TellFailure(Judge* judge, ProcessorWatch* watch, uint64_t now, const char* what);
// The supervisor ended the tool on the processor: a hung one is stopped for
// good, a healthy one waits for its next turn.
void TellToolEnded(ProcessorWatch* watch, uint64_t now);
// As the run ends, the tool was still running kCloseWaitSeconds after
// WM_CLOSE and was terminated.
void TellTerminated(ProcessorWatch* watch);
// Cycle mode: the running tool now runs on `to`.
void TellMove(Judge* judge, ProcessorWatch* from, ProcessorWatch* to, uint64_t now);
// Hung tools, and every figures interval the figures and warnings.
void JudgeTick(Judge* judge, uint64_t now);

// A failure becomes the processor's state and a row of `event`; the first
// one stays on record. In the tool's first burst after a move, the row and
// the record name the processor it came from too.
void RecordFailure(Judge* judge, ProcessorWatch* watch, uint64_t now, WatchState state,
                   LogEvent event, const char* what);
// The tool is about to be replaced by a fresh process after `hours`: a note row.
void NoteRestart(const Judge& judge, const ProcessorWatch& watch, uint64_t now, int hours);
// The machine slept for `sleptMs` before `now`, which is left out of the run's time: a note row.
void NoteSleep(const Judge& judge, uint64_t now, uint64_t sleptMs);

// How long a tool ran on the processor by `now`.
uint64_t UnderToolMs(const ProcessorWatch& watch, uint64_t now);

// A failure is on record: the tool stopped with an error, hung or could not run.
inline bool Failed(const ProcessorWatch& watch) {
    return watch.failure.failed;
}
