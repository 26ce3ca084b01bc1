#pragma once

#include <stdint.h>

// Tick choice for the chart's axes: values in steps of 1, 2 or 5 times a
// power of ten, run time in whole minutes and hours.

// Ticks at low, low + step, ... high: intervals + 1 of them. Labels show
// decimals digits after the point, enough to tell the ticks apart.
struct ValueAxis {
    double low, high, step;
    int intervals, decimals;
};

// The axis for values from smallest to largest, with at most maxIntervals
// steps (at least 1). The data gets a 5 % margin each side, and the range
// spans at least a tenth of the values' size, so a flat series shows as flat
// and noise within the slower-than-the-rest threshold stays small. Never
// below zero for data that is not. No data (smallest > largest): 0 to 1.
ValueAxis ChooseValueAxis(double smallest, double largest, int maxIntervals);

// Run time from 0 to span seconds with a tick every step seconds: 1, 2, 5,
// 10, 15 or 30 minutes, 1, 2, 3, 6, 12 or 24 hours, then whole days.
struct TimeAxis {
    uint32_t span, step;
};

// The axis for a run of runSeconds (shown as at least a minute), with at most
// maxIntervals whole steps (at least 1).
TimeAxis ChooseTimeAxis(uint32_t runSeconds, int maxIntervals);

// The value with that many decimals (0 to 6), "-" for negatives; text holds
// at least 32 bytes.
void FormatAxisValue(double value, int decimals, char* text);

// Run time as h:mm, hours not wrapping ("72:00"); text holds at least 16 bytes.
void FormatAxisTime(uint32_t seconds, char* text);
