#pragma once

#include "cores/core_turns.h"
#include "cores/judge.h"
#include "cores/log_row.h"
#include "cores/options.h"

// What a later start reads back from a log to go on with its last run after
// the machine stopped: which run, its options, and each processor's evidence
// and state at the log's last row. No Windows calls: the caller feeds the
// log's lines.

enum LogFinding {
    emptyLog,        // no line at all
    foreignLog,      // not a Vesko Cores log
    otherColumnsLog, // a Vesko Cores log of other columns (another version's)
    noRunLog,        // no run row: no run to go on with
    finishedLog,     // its last run ended with a verdict
    cutShortLog      // its last run stopped without a verdict: it can go on
};

// The resumed row says this when the row before it was cut in the middle.
extern const char kCutRowWords[];
// A stopped row a resumed part writes for a processor under the tool begins so.
extern const char kMachineStoppedWords[];

// One processor as the last run's rows left it.
struct ResumedProcessor {
    bool tested = false;      // a tool ran on it
    int core = -1;            // -1: unknown
    bool onTool = false;      // a tool was on it at its latest row
    int bursts = 0;           // counted bursts as of evidenceMs
    uint64_t underToolMs = 0; // under the tool as of evidenceMs
    uint64_t evidenceMs = 0;
    FailureRecord failure = {};
    bool closedByHand = false;
    uint64_t closedMs = 0;
    int slowerWarnings = 0, notLoadedWarnings = 0;
    int32_t mhzTenths = -1;
    int movedFrom = -1; // the processor its tool last moved from; -1: started here
    int burstsAtMove = 0;
    ValueCounts ticks; // its figures rows' medians, each counted as often as it had samples
};

struct ResumeLog {
    LogFinding finding;
    int lines;                          // read so far
    char options[kOptionsTextCapacity]; // the run row's: the options as given
    char verdict[1024];                 // the verdict row's, for a finished run
    int parts;                          // the run's parts so far
    uint64_t lastMs;                    // the run time of the latest row
    bool cutLastRow;                    // the file ended in the middle of a row
    bool cycling;                       // the run's options have --cycle
    int slowingWarnings;                // the run's own warnings
    int lastToolProcessor;              // the processor a tool came onto last; -1: none
    int recheckProcessor; // a failure in a first burst after a move owes its turn again; -1
    int stoppedAtOnce;    // all at once: the most processors a stop of the machine failed
    int stoppedInPart;    // of them, in the latest part
    bool paused;          // its latest part ended as Windows ended the session
    ResumedProcessor processors[kMaxProcessors];
    bool pending; // `row` waits to be applied until the next line shows it was whole
    LogRow row;
};

// Ready to read a log from its first line.
void StartResumeLog(ResumeLog* log);
// One line of the log without its line break.
void ReadResumeLine(ResumeLog* log, const char* line);
// After the last line; `cutLast` when the file did not end with a line break,
// so that its last line is a row cut in the middle. Sets the finding.
void EndResumeLog(ResumeLog* log, bool cutLast);

// How far a processor's evidence reaches by `now`: under the tool until then
// while it was on it.
uint64_t ResumedUnderToolMs(const ResumedProcessor& processor, uint64_t now);
// Whether the processor's tool came there by a move and had no counted burst
// there yet: a failure then may be its own or the core's it came from.
bool InFirstBurstAfterMove(const ResumedProcessor& processor);

// The judge takes on the earlier parts' evidence, failures and warnings, and
// counts this part as one more.
void ResumeWatches(Judge* judge, const ResumeLog& log);
// A cycle run goes on where it was: `cycle` (planned) is left at the turn the
// machine stopped in (the last turn where none was under way, so that the
// first comes next), owing a turn again to the core a tool moved from just
// before the stop, or before a failure whose core's turn did not come again.
void ResumeCycle(CoreCycle* cycle, const Judge& judge, const ResumeLog& log);
// The resumed row saying what was found, then a stopped row for each processor
// that was under the tool when the machine stopped, each a failure at the
// log's last row. The number of those processors.
int WriteResumedRows(Judge* judge, const ResumeLog& log);
