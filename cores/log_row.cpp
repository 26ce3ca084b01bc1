#include "cores/log_row.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

const char kLogHeader[] =
    "utc,run_seconds,processor,core,event,ticks_per_iteration,mhz,detail,busy\r\n";

namespace {

const char* const kEventNames[] = {"start",   "figures", "moved", "note",    "warning", "hung",
                                   "stopped", "closed",  "end",   "verdict", "topology"};

// Appends `text` as one CSV field: quoted, quotes doubled, when it holds a
// separator, a quote or a line break.
bool AppendField(char*& out, char* end, const char* text) {
    bool quote = strpbrk(text, ",\"\r\n") != nullptr;
    if (quote && out < end)
        *out++ = '"';
    for (; *text && out < end; ++text) {
        if (*text == '"' && out + 1 < end)
            *out++ = '"';
        *out++ = *text;
    }
    if (quote && out < end)
        *out++ = '"';
    return out < end;
}

} // namespace

LogRow MakeLogRow(uint64_t runMs, int processor, LogEvent event, const char* format, ...) {
    LogRow row = {runMs, processor, -1, event, -1, -1, "", -1};
    va_list args;
    va_start(args, format);
    vsnprintf(row.detail, sizeof row.detail, format, args);
    va_end(args);
    return row;
}

void AppendText(char* text, int size, const char* format, ...) {
    size_t used = strlen(text);
    va_list args;
    va_start(args, format);
    vsnprintf(text + used, size_t(size) - used, format, args);
    va_end(args);
}

void FormatFixed(int32_t value, int decimals, char* text, int size) {
    int32_t scale = decimals == 2 ? 100 : 10;
    snprintf(text, size_t(size), "%ld.%0*ld", long(value / scale), decimals, long(value % scale));
}

void FormatRunTime(uint64_t ms, char* text, int size) {
    uint64_t seconds = ms / 1000;
    snprintf(text, size_t(size), "%llu:%02u:%02u", (unsigned long long)(seconds / 3600),
             unsigned(seconds / 60 % 60), unsigned(seconds % 60));
}

int FormatLogRow(const LogRow& row, const SYSTEMTIME& utc, char* line, int size) {
    char processor[12] = "", core[12] = "", ticks[16] = "", mhz[16] = "";
    if (row.processor >= 0)
        snprintf(processor, sizeof processor, "%d", row.processor);
    if (row.core >= 0)
        snprintf(core, sizeof core, "%d", row.core);
    if (row.ticksHundredths >= 0)
        FormatFixed(row.ticksHundredths, 2, ticks, sizeof ticks);
    if (row.mhzTenths >= 0)
        FormatFixed(row.mhzTenths, 1, mhz, sizeof mhz);
    int head = snprintf(line, size_t(size), "%04u-%02u-%02uT%02u:%02u:%02uZ,%llu,%s,%s,%s,%s,%s,",
                        utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond,
                        (unsigned long long)(row.runMs / 1000), processor, core,
                        kEventNames[row.event], ticks, mhz);
    if (head < 0 || head >= size)
        return 0;
    char* out = line + head;
    char busy[16] = "";
    if (row.busyHundredths >= 0)
        FormatFixed(row.busyHundredths, 2, busy, sizeof busy);
    char* end = line + size - 3; // room for CR, LF and the terminator
    if (!AppendField(out, end, row.detail))
        return 0;
    *out++ = ','; // AppendField left room for at least this
    if (!AppendField(out, end, busy))
        return 0;
    memcpy(out, "\r\n", 3);
    return int(out - line) + 2;
}
