#pragma once

#include "cores/core_turns.h"
#include "cores/judge.h"
#include "cores/options.h"
#include "cores/resume_log.h"
#include "cores/run_clock.h"
#include "cores/verdict.h"
#include "cores/win_chart.h"
#include "cores/win_log_file.h"
#include "cores/win_tool_process.h"

// A run of Vesko Cores over its Windows parts: the tools it starts and pins,
// the polling of their titles and processes, and where the judge's rows go.
struct CoresRun {
    CoresOptions options;
    char toolPath[MAX_PATH];
    Judge judge; // the one writer of the processors' watches
    RunLog log;
    RunChart chart;
    RunClock clock;
    Topology topology; // where each processor sits, read at the start
    bool topologyKnown;
    uint64_t listed; // the processors --processors chose
    // The running tools and the processors they are watched on: tool i feeds
    // judge.watches[watchOf[i]], none where that is -1. One tool per processor,
    // or in cycle mode one per thread (--threads) of the core whose turn it is.
    ToolProcess tools[kMaxProcessors];
    int watchOf[kMaxProcessors];
    int toolCount;
    // The check workload: how long tool i's errors file was at its start.
    uint64_t errorsFrom[kMaxProcessors];
    CoreCycle cycle;                       // cycle mode: the turns and the one under way
    RECT toolArea;                         // where the tools' windows are tiled
    char logNote[240];                     // how the log failed, for the window and the verdict
    char chartNote[240];                   // how the chart at the end failed
    char runOptions[kOptionsTextCapacity]; // for the run row: as given, with full paths
    ResumeLog* resume; // owned: what the log held, when this part goes on with a run; else null
    bool autostarting; // the resume command is registered for the next logon
    bool ended;
    int exitCode;
};

// Reads the command line and checks it against the machine, the tool and the
// log; with --resume, reads the log's last run and takes its options. 0 to go
// on; otherwise the exit code (0 after --help, 2 for an error) with the
// message to show.
int PrepareRun(CoresRun* run, int count, char** arguments, char* message, int size);

// Starts the judge and the chart over the processors that get a tool: in cycle
// mode by core, from `topology`. PrepareRun calls it; a test that sets another
// topology calls it again before BeginRun.
void StartJudging(CoresRun* run);

// Starts the tools (a resumed run where it stopped, with its rows saying
// so); their windows are tiled over `toolArea` once they appear. Keeps the
// machine awake and, with --autostart, registers the resume command.
void BeginRun(CoresRun* run, RECT toolArea);

// One look at every tool: titles, exits, missing windows, moves, the judge's
// tick. True when the run's time (--duration) is up.
bool PollRun(CoresRun* run);

// Closes every tool (terminating those still there after 5 s), writes the
// chart at `chartSize` if --chart asks for it, the end rows and the verdict,
// closes the log and takes back the resume command and the machine's wakefulness.
// The exit code: 0 PASS, 1 FAIL, 3 NOT PROVEN.
int EndRun(CoresRun* run, SIZE chartSize);

// Windows ends the session (a restart, a shutdown): a paused row, every tool
// ended, the log closed, no verdict; the resume command stays registered.
void PauseRun(CoresRun* run);

// The verdict so far, as the window shows it; its kind.
Verdict CurrentVerdict(const CoresRun& run, char* text, int size);

// From 72 hours on a tool shows days in place of ticks per iteration, so each
// tool is replaced by a fresh one after this long.
const int kToolRestartHours = 70;
