#pragma once

#include <stdint.h>

// What a title read from the tool's window says. Figures are kept as the
// tool showed them: ticks in hundredths, megahertz in tenths.
enum ToolTitleKind { unknownTitle, bareTitle, cyclesTitle, clockRateTitle, daysTitle };

struct ToolTitle {
    ToolTitleKind kind;
    int32_t ticksHundredths; // cycles line
    int32_t runSeconds;      // clock-rate line: the tool's own run time
    int32_t mhzTenths;       // clock-rate line
    int32_t days;            // days line
};

// Reads a title as the bare title or one of the status lines, by the very
// formats the tool writes them with. Anything else is unknownTitle.
ToolTitle ParseToolTitle(const char* title);

// Matches text against a printf format of literals and %d / %f conversions
// (flags, width and precision allowed); stores up to maxValues numbers.
// The count of numbers, or -1 when the text does not have the format's shape.
int MatchFormat(const char* format, const char* text, double* values, int maxValues);
