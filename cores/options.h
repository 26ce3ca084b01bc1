#pragma once

#include "cores/processor_limit.h"

#include <stdint.h>

// Vesko Cores' command line. Options are accepted as --name and /name, a
// value following after a space.

const int kPathCapacity = 260;
const int kMaxThreads = 8; // --threads: tools on one core at once

// What runs on each processor: the tool, or the check workload that knows
// every right answer.
enum Workload { toolWorkload, checkWorkload };

struct CoresOptions {
    uint64_t processors;           // one bit per logical processor; 0: all
    uint32_t cycleSeconds;         // 0: one tool per processor at once
    uint32_t threads;              // cycle mode: tools on each core at once
    uint32_t durationSeconds;      // 0: until the window is closed
    uint32_t everySeconds;         // figures interval
    char logPath[kPathCapacity];   // empty: the default name
    char toolPath[kPathCapacity];  // empty: vesko.exe beside the program
    char chartPath[kPathCapacity]; // empty: no chart at the end
    bool help;
    Workload workload;
    bool resume;    // go on with the run the log (--log) holds, with its options
    bool autostart; // register the resume command to run at the next logon
};

// Room for a run's options as one line of text.
const int kOptionsTextCapacity = 1000;
// The most arguments a run's options may have.
const int kMostArguments = 40;

// Parses the arguments after the program's name. False with a sentence that
// names what is wrong in `error`.
bool ParseOptions(int count, char** arguments, CoresOptions* options, char* error, int errorSize);

// "0,2,4-7" or "all" (0) into a mask; false on anything else or a number at
// or beyond kMaxProcessors.
bool ParseProcessorList(const char* text, uint64_t* mask);

// "90s", "30m", "12h" or a bare number of seconds, more than 0.
bool ParseDuration(const char* text, uint32_t* seconds);

// The processors of `wanted` (0: all) that the machine has, in `chosen`;
// false with a sentence in `error` when one of them is missing.
bool ChooseProcessors(uint64_t wanted, uint64_t present, uint64_t* chosen, char* error,
                      int errorSize);

// The arguments as one line, each after a space, quoted where it holds a
// space or is empty; false when one holds a quote or they do not fit.
bool JoinArguments(int count, char** arguments, char* text, int size);

// Splits a line JoinArguments made, in place, into at most `most` arguments;
// their count, or -1 when the line has another shape or more.
int SplitArguments(char* text, char** arguments, int most);

// The usage text shown with --help and with every command-line error.
const char* CoresUsage();
