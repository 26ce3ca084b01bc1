#pragma once

#include "cores/win_run.h"

#include <windows.h>

// Draws the run as a table onto `dc` within `area`: one row per processor
// (number, core, state, counted bursts, median ticks, clock rate, busy share of the
// latest interval, warnings, latest status line),
// then the verdict so far and where the log is, in boxes of fixed height. The
// bottom of what it drew: the same all through a run.
int DrawRunTable(HDC dc, RECT area, const CoresRun& run);
