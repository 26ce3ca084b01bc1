#pragma once

#include <stdint.h>

// One processor's figures over a run, held in a fixed number of points so a
// 72-hour run costs what a 10-minute one does. Each point holds the mean of
// samplesPerPoint figures rows (the newest may hold fewer). When the points
// run out, neighbours are merged pairwise and samplesPerPoint doubles, so the
// points stay evenly spread over the run. A zero-filled record is empty.

const int kChartCapacity = 2048; // at least one point per pixel up to 1024, one per two at 1920

// A value the tool did not show; any negative or infinite value or NaN reads
// as missing.
const float kChartMissing = -1.0f;

struct ChartPoint {
    uint32_t seconds; // mean run time of its samples
    uint32_t samples; // figures rows merged into it
    float ticks;      // mean ticks per iteration of the rows that had one
    float mhz;        // mean clock rate likewise
};

struct ChartSeries {
    int count;
    uint32_t samplesPerPoint; // 0 reads as 1
    ChartPoint points[kChartCapacity];
};

inline bool ChartValuePresent(float value) {
    return value >= 0 && value <= 3.4e38f; // false for NaN too
}

// Adds one figures row. Time and values are averaged weighted by samples; a
// missing value takes no part, so a value merged with a missing one stays as
// it was, and two missing ones stay missing, never zero.
void AddChartFigures(ChartSeries& series, uint32_t seconds, float ticks, float mhz);
