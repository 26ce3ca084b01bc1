#pragma once

#include <windows.h>

#include <stdint.h>

// One row of the run's CSV log, and its text.

enum LogEvent {
    startEvent,
    figuresEvent,
    movedEvent,
    noteEvent,
    warningEvent,
    hungEvent,
    stoppedEvent,
    closedEvent,
    endEvent,
    verdictEvent,
    topologyEvent,
    runEvent,     // the first row of a run: its options
    resumedEvent, // a run goes on in a new part after the machine stopped
    settledEvent, // a moved tool's first counted burst on its new processor
    pausedEvent,  // Windows ended the session: every tool left, no failure
    errorEvent    // the check workload computed a wrong result
};

struct LogRow {
    uint64_t runMs;
    int processor; // -1: a row for the whole run
    int core;      // the processor's core; -1: empty
    LogEvent event;
    int32_t ticksHundredths; // -1: empty
    int32_t mhzTenths;       // -1: empty
    char detail[1024];       // room for a verdict with its lists and notes
    int32_t busyHundredths;  // the processor's busy share, 0 to 100; -1: empty
    int32_t bursts;          // the processor's counted bursts so far; -1: empty
    int64_t underToolMs;     // its time under the tool so far (written in whole seconds); -1: empty
};

// The header line, CRLF included.
extern const char kLogHeader[];

// "figures" for figuresEvent and so on.
const char* EventName(LogEvent event);

// A row with the figures, the busy share and the evidence empty and the
// detail printf-formatted.
LogRow MakeLogRow(uint64_t runMs, int processor, LogEvent event, const char* format, ...)
    __attribute__((format(gnu_printf, 4, 5)));

// The row as one CRLF-ended CSV line at `utc`; its length, or 0 when it does
// not fit in `size` bytes.
int FormatLogRow(const LogRow& row, const SYSTEMTIME& utc, char* line, int size);

// A line of the log, without its line break, read back as a row (the time of
// day left out); false when it does not have a row's shape, as a row cut in
// the middle.
bool ParseLogRow(const char* line, LogRow* row);

// "2:05:09": hours (never wrapping), minutes, seconds of a run time.
void FormatRunTime(uint64_t ms, char* text, int size);

// Appends printf-formatted text to the string in `text`, a buffer of `size`
// bytes, cut to fit.
void AppendText(char* text, int size, const char* format, ...)
    __attribute__((format(gnu_printf, 3, 4)));

// "7.43" from 743, "2096.0" from 20960 with one decimal.
void FormatFixed(int32_t value, int decimals, char* text, int size);
