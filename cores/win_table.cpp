#include "cores/win_table.h"

#include "chart/processor_colour.h"
#include "cores/table_text.h"

#include <string.h>

namespace {

// Column starts in average character widths.
const int kColumns[kTableColumns] = {0, 5, 10, 20, 27, 35, 43, 49, 54};

void Cell(HDC dc, int x, int y, const char* text) {
    TextOutA(dc, x, y, text, int(strlen(text)));
}

// Every cell but the processor's number, which the caller draws.
void DrawRow(HDC dc, int left, int y, int charWidth, const TableRowText& row) {
    for (int column = 1; column < kTableColumns; ++column)
        Cell(dc, left + kColumns[column] * charWidth, y, row.cells[column]);
}

void DrawWatch(HDC dc, int left, int y, int charWidth, const ProcessorWatch& watch) {
    TableRowText row;
    WatchRowText(watch, &row);
    SetTextColor(dc, Failed(watch) ? RGB(192, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
    DrawRow(dc, left, y, charWidth, row);
    SetTextColor(dc, ProcessorColour(watch.processor)); // its line's colour in the chart
    Cell(dc, left, y, row.cells[0]);
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
    TableRowText headings;
    TableHeadings(run.judge.checkFigures, &headings);
    DrawRow(dc, left, y, charWidth, headings);
    Cell(dc, left, y, headings.cells[0]);
    y += line;
    for (int i = 0; i < run.judge.count; ++i, y += line)
        DrawWatch(dc, left, y, charWidth, run.judge.watches[i]);
    char verdict[sizeof(LogRow::detail)];
    static const COLORREF colours[] = {RGB(0, 128, 0), RGB(192, 0, 0), 0, RGB(160, 96, 0)};
    SetTextColor(dc, colours[CurrentVerdict(run, verdict, sizeof verdict)]);
    RECT text = {left, 0, area.right - 4, area.bottom};
    y = Paragraph(dc, text, y + line / 2, 4, metrics.tmHeight, verdict);
    char where[MAX_PATH + 260];
    LogPlaceText(run.log.path, run.logNote, where, sizeof where);
    SetTextColor(dc, run.logNote[0] ? RGB(192, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
    return Paragraph(dc, text, y + 2, 2, metrics.tmHeight, where);
}
