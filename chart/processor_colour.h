#pragma once

#include <windows.h>

// The colour of a processor's line in the chart and of its number in the
// legend and the table: 64 distinct colours (processors 0 to 63, others wrap),
// each dark enough to read on a white background. The first numbers get hues
// far apart, so the few processors of a small machine differ most.
COLORREF ProcessorColour(int processor);
