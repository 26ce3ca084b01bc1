#pragma once

#include "chart/series.h"
#include "cores/processor_limit.h"
#include "cores/log_row.h"

#include <windows.h>

// The run's chart: one bounded series per processor, fed from the figures
// rows as they are written, drawn onto a DIB and saved as a BMP file.
struct RunChart {
    ChartSeries series[kMaxProcessors];
    int processors[kMaxProcessors];
    int count;
    const char* upperTitle; // null: the tool's ticks per iteration
    uint32_t version;       // counts the changes: a view redraws when it differs
};

// Empty series for the processors of the mask, in ascending order.
void StartRunChart(RunChart* chart, uint64_t processors);

// Takes the figures of a figures row; other rows are ignored.
void AddFiguresToChart(RunChart* chart, const LogRow& row);

// A new 32-bit DIB of that size with the chart drawn over `runMs`; null when
// it cannot be made. The caller owns the bitmap.
HBITMAP DrawRunChart(const RunChart& chart, uint64_t runMs, int width, int height);

// Draws the chart and writes it as a BMP file (an existing file stays whole
// on failure). FALSE with a sentence in `error`.
BOOL SaveRunChart(const RunChart& chart, uint64_t runMs, SIZE size, const char* path, char* error,
                  int errorSize);
