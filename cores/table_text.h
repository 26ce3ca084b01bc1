#pragma once

#include "cores/judge.h"

// The texts of the run's table, apart from where and how they are drawn.

const int kTableColumns = 9;

// One row's cells in column order: processor, core, state, counted bursts,
// median figure, clock rate, busy share of the latest interval, warnings,
// latest status line. A value not known yet is an empty cell.
struct TableRowText {
    char cells[kTableColumns][sizeof(ProcessorWatch::line)];
};

// The headings; the figure's column says "ms" for the check workload's figures.
void TableHeadings(bool checkFigures, TableRowText* row);
void WatchRowText(const ProcessorWatch& watch, TableRowText* row);
// "Log: PATH", with "(NOTE)" after it where the log has stopped.
void LogPlaceText(const char* path, const char* note, char* text, int size);
