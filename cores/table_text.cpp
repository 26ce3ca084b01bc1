#include "cores/table_text.h"

#include "cores/log_row.h"
#include "cores/names.h"

#include <stdio.h>

namespace {

const char* const kHeadings[kTableColumns] = {
    "CPU", "core", "state", "bursts", "ticks", "MHz", "busy", "warn", "latest status line"};

void Put(TableRowText* row, int column, const char* text) {
    snprintf(row->cells[column], sizeof row->cells[column], "%s", text);
}

void PutNumber(TableRowText* row, int column, int value) {
    snprintf(row->cells[column], sizeof row->cells[column], "%d", value);
}

} // namespace

void TableHeadings(bool checkFigures, TableRowText* row) {
    for (int column = 0; column < kTableColumns; ++column)
        Put(row, column, kHeadings[column]);
    if (checkFigures)
        Put(row, 4, "ms");
}

void WatchRowText(const ProcessorWatch& watch, TableRowText* row) {
    *row = TableRowText();
    PutNumber(row, 0, watch.processor);
    if (watch.core >= 0)
        PutNumber(row, 1, watch.core);
    bool again = Failed(watch) && watch.state == runningState;
    Put(row, 2, again ? "running*" : WatchStateName(watch.state)); // a failure on record
    PutNumber(row, 3, watch.bursts);
    const int size = int(sizeof row->cells[0]);
    if (watch.run.total)
        FormatFixed(int32_t(watch.run.Median()), 2, row->cells[4], size);
    if (watch.mhzTenths >= 0)
        FormatFixed(watch.mhzTenths, 1, row->cells[5], size);
    if (watch.busyHundredths >= 0)
        FormatFixed(watch.busyHundredths, 2, row->cells[6], size);
    if (int count = watch.warnings.slower.count + watch.warnings.notLoaded.count)
        PutNumber(row, 7, count);
    Put(row, 8, watch.line);
}

void LogPlaceText(const char* path, const char* note, char* text, int size) {
    if (note[0])
        snprintf(text, size_t(size), "Log: %s (%s)", path, note);
    else
        snprintf(text, size_t(size), "Log: %s", path);
}
