#pragma once

#include "chart/axes.h"
#include "chart/series.h"

#include <windows.h>

// The run's chart: two panels over run time, ticks per iteration above with
// a legend, the clock rate below, one line per processor in its
// ProcessorColour. A missing value is left out, never drawn as zero: the
// line joins the values either side of it, as intervals without a cycles
// line are common where a burst lasts longer than an interval.

// series[i] holds the figures of processor processors[i], i < count.
struct ChartInput {
    const ChartSeries* series;
    const int* processors;
    int count;
    uint32_t runSeconds;    // the time axis spans at least this
    const char* upperTitle; // what the upper panel's figures are; null: ticks per iteration
};

// The surface slot the drawing binds; its earlier binding is put back after.
const int kChartSurfaceSlot = 3;

// Where a panel's lines go: plot holds its pixels (right and bottom
// exclusive), empty when the bitmap is too small for it. A value v lands on
// row plot.bottom - 1 - round((v - axis.low) * (height - 1) / (axis.high -
// axis.low)), run time t on column plot.left + round(t * (width - 1) /
// time.span). Without values the plot says there are no figures yet.
struct ChartPanel {
    RECT plot;
    ValueAxis axis;
    bool hasValues;
};

struct ChartLayout {
    ChartPanel ticks, mhz;
    TimeAxis time;
    int legendRows;
};

// The character cell of the system fixed font the chart's texts use.
SIZE ChartFontCell();

// The layout DrawChart uses for a bitmap of that size, given ChartFontCell();
// it makes no GDI call.
ChartLayout LayOutChart(int width, int height, const ChartInput& input, SIZE cell);

// Draws the whole chart over a top-down DIB section (CreateDib makes one) of
// 16, 24 or 32 bits per pixel; any size, drawing what fits. FALSE, drawing
// nothing, for a bitmap without pixel memory or of fewer bits. A bottom-up
// DIB would get its lines upside down: the slots address memory rows from
// the top and Wine does not tell the two kinds apart.
// The caller owns the bitmap; no GDI object is left behind.
BOOL DrawChart(HBITMAP dib, const ChartInput& input);
