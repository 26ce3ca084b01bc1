#pragma once

#include "chart/processor_colour.h"

#include <stdint.h>

// A processor's chart colour as a 32-bit DIB pixel holds it: red and blue swapped.
inline uint32_t ChartPixel(int processor) {
    return __builtin_bswap32(ProcessorColour(processor)) >> 8;
}
