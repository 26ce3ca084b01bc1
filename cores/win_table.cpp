#include "cores/win_table.h"

#include "chart/processor_colour.h"
#include "cores/names.h"

#include <stdio.h>
#include <string.h>

namespace {

// Column starts in average character widths.
const int kColumns[] = {0, 5, 10, 20, 27, 35, 43, 49, 54};
const int kColumnCount = 9;
const char* const kHeadings[] = {
    "CPU", "core", "state", "bursts", "ticks", "MHz", "busy", "warn", "latest status line"};

void Cell(HDC dc, int x, int y, const char* text) {
    TextOutA(dc, x, y, text, int(strlen(text)));
}

void DrawRow(HDC dc, int left, int y, int charWidth, const char* const cells[kColumnCount]) {
    for (int column = 0; column < kColumnCount; ++column)
        Cell(dc, left + kColumns[column] * charWidth, y, cells[column]);
}

void DrawWatch(HDC dc, int left, int y, int charWidth, const ProcessorWatch& watch) {
    char number[8], core[8] = "", bursts[12], ticks[16] = "", mhz[16] = "", busy[8] = "",
                    warnings[8] = "";
    snprintf(number, sizeof number, "%d", watch.processor);
    if (watch.core >= 0)
        snprintf(core, sizeof core, "%d", watch.core);
    snprintf(bursts, sizeof bursts, "%d", watch.bursts);
    if (watch.run.total)
        FormatFixed(int32_t(watch.run.Median()), 2, ticks, sizeof ticks);
    if (watch.mhzTenths >= 0)
        FormatFixed(watch.mhzTenths, 1, mhz, sizeof mhz);
    if (watch.busyHundredths >= 0)
        FormatFixed(watch.busyHundredths, 2, busy, sizeof busy);
    if (int count = watch.warnings.slower.count + watch.warnings.notLoaded.count)
        snprintf(warnings, sizeof warnings, "%d", count);
    const char* state = WatchStateName(watch.state);
    if (Failed(watch) && watch.state == runningState)
        state = "running*"; // running again after a failure on record
    const char* cells[kColumnCount] = {"",  core, state,    bursts,    ticks,
                                       mhz, busy, warnings, watch.line};
    SetTextColor(dc, Failed(watch) ? RGB(192, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
    DrawRow(dc, left, y, charWidth, cells);
    SetTextColor(dc, ProcessorColour(watch.processor)); // its line's colour in the chart
    Cell(dc, left, y, number);
}

// Wrapped text in a box of `lines` lines, cut to fit so that what follows
// stays in place; the bottom of the box.
int Paragraph(HDC dc, RECT area, int top, int lines, int lineHeight, const char* text) {
    RECT box = {area.left, top, area.right, top + lines * lineHeight};
    DrawTextA(dc, text, -1, &box, DT_WORDBREAK | DT_NOPREFIX);
    return box.bottom;
}

} // namespace

int DrawRunTable(HDC dc, RECT area, const CoresRun& run) {
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    int line = metrics.tmHeight + 2, charWidth = metrics.tmAveCharWidth;
    int left = area.left + 4, y = area.top + 4;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const char* headings[kColumnCount];
    memcpy(headings, kHeadings, sizeof headings);
    headings[4] = run.judge.checkFigures ? "ms" : headings[4];
    DrawRow(dc, left, y, charWidth, headings);
    y += line;
    for (int i = 0; i < run.judge.count; ++i, y += line)
        DrawWatch(dc, left, y, charWidth, run.judge.watches[i]);
    char verdict[sizeof(LogRow::detail)];
    static const COLORREF colours[] = {RGB(0, 128, 0), RGB(192, 0, 0), 0, RGB(160, 96, 0)};
    SetTextColor(dc, colours[CurrentVerdict(run, verdict, sizeof verdict)]);
    RECT text = {left, 0, area.right - 4, area.bottom};
    y = Paragraph(dc, text, y + line / 2, 4, metrics.tmHeight, verdict);
    char where[MAX_PATH + 260];
    if (run.logNote[0])
        snprintf(where, sizeof where, "Log: %s (%s)", run.log.path, run.logNote);
    else
        snprintf(where, sizeof where, "Log: %s", run.log.path);
    SetTextColor(dc, run.logNote[0] ? RGB(192, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
    return Paragraph(dc, text, y + 2, 2, metrics.tmHeight, where);
}
