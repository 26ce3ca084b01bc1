#include "cores/log_row.h"

#include "cores/processor_limit.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

const char kLogHeader[] = "utc,run_seconds,processor,core,event,ticks_per_iteration,mhz,detail,"
                          "busy,bursts,under_tool_seconds\r\n";

namespace {

const char* const kEventNames[] = {"start",   "figures", "moved",  "note",    "warning",  "hung",
                                   "stopped", "closed",  "end",    "verdict", "topology", "run",
                                   "resumed", "settled", "paused", "error"};
const int kEvents = int(sizeof kEventNames / sizeof kEventNames[0]);

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

// A whole unsigned number up to `limit` and the text after it; null when
// there is none or it is larger.
const char* ReadNumber(const char* text, uint64_t limit, uint64_t* value) {
    if (*text < '0' || *text > '9')
        return nullptr;
    uint64_t n = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if ((n = n * 10 + uint64_t(*text - '0')) > limit)
            return nullptr;
    *value = n;
    return text;
}

// An empty field (-1), or a number written with `decimals` decimals, as
// FormatFixed writes it, scaled to a whole number; then the comma after it.
const char* ReadFixed(const char* text, int decimals, int64_t limit, int64_t* value) {
    *value = -1;
    if (*text == ',')
        return text + 1;
    uint64_t whole;
    if (!(text = ReadNumber(text, uint64_t(limit), &whole)) || (decimals && *text++ != '.'))
        return nullptr;
    int64_t scaled = int64_t(whole);
    for (int i = 0; i < decimals; ++i, ++text) {
        if (*text < '0' || *text > '9')
            return nullptr;
        scaled = scaled * 10 + (*text - '0');
    }
    if (*text != ',')
        return nullptr;
    *value = scaled;
    return text + 1;
}

// The CSV field at `text` into `field` (quotes undone); the text after its
// comma, or after the line's end for the last field; null when malformed.
const char* ReadField(const char* text, char* field, int size, bool last) {
    int used = 0;
    bool quoted = *text == '"';
    for (text += quoted;; ++text) {
        if (quoted && *text == '"' && text[1] == '"')
            ++text;
        else if (quoted && *text == '"')
            quoted = false, ++text;
        if (!*text || (!quoted && *text == ','))
            break;
        if (used + 1 >= size || (!quoted && *text == '"'))
            return nullptr;
        field[used++] = *text;
    }
    field[used] = '\0';
    if (quoted || (last ? *text != '\0' : *text != ','))
        return nullptr;
    return last ? text : text + 1;
}

} // namespace

const char* EventName(LogEvent event) {
    return kEventNames[event];
}

LogRow MakeLogRow(uint64_t runMs, int processor, LogEvent event, const char* format, ...) {
    LogRow row = {runMs, processor, -1, event, -1, -1, "", -1, -1, -1};
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
    char busy[16] = "", evidence[40] = ",";
    if (row.busyHundredths >= 0)
        FormatFixed(row.busyHundredths, 2, busy, sizeof busy);
    if (row.bursts >= 0 && row.underToolMs >= 0)
        snprintf(evidence, sizeof evidence, "%ld,%lld", long(row.bursts),
                 (long long)(row.underToolMs / 1000));
    char* end = line + size - 3; // room for CR, LF and the terminator
    if (!AppendField(out, end, row.detail))
        return 0;
    *out++ = ','; // AppendField left room for at least this
    if (!AppendField(out, end, busy) || end - out < int(strlen(evidence)) + 1)
        return 0;
    out += sprintf(out, ",%s", evidence);
    memcpy(out, "\r\n", 3);
    return int(out - line) + 2;
}

bool ParseLogRow(const char* line, LogRow* row) {
    *row = MakeLogRow(0, -1, noteEvent, "%s", "");
    uint64_t seconds, number;
    int64_t value;
    char event[16];
    if (strlen(line) < 21 || line[19] != 'Z' || line[20] != ',')
        return false;
    const char* at = ReadNumber(line + 21, UINT64_MAX / 1000, &seconds);
    if (!at || *at++ != ',')
        return false;
    row->runMs = seconds * 1000;
    if (!(at = ReadFixed(at, 0, kMaxProcessors - 1, &value)))
        return false;
    row->processor = int(value);
    if (!(at = ReadFixed(at, 0, kMaxProcessors - 1, &value)))
        return false;
    row->core = int(value);
    if (!(at = ReadField(at, event, sizeof event, false)))
        return false;
    int e = 0;
    while (e < kEvents && strcmp(event, kEventNames[e]) != 0)
        ++e;
    row->event = LogEvent(e);
    if (e == kEvents || !(at = ReadFixed(at, 2, (INT32_MAX - 99) / 100, &value)))
        return false;
    row->ticksHundredths = int32_t(value);
    if (!(at = ReadFixed(at, 1, (INT32_MAX - 9) / 10, &value)))
        return false;
    row->mhzTenths = int32_t(value);
    if (!(at = ReadField(at, row->detail, sizeof row->detail, false)) ||
        !(at = ReadFixed(at, 2, 1, &value)) || value > 100)
        return false;
    row->busyHundredths = int32_t(value);
    if (!(at = ReadFixed(at, 0, INT32_MAX, &value)))
        return false;
    row->bursts = int32_t(value);
    if (!*at) // the last field empty
        return row->bursts < 0;
    if (!(at = ReadNumber(at, UINT64_MAX / 1000, &number)) || *at || row->bursts < 0)
        return false;
    row->underToolMs = int64_t(number * 1000);
    return true;
}
