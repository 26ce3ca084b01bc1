#pragma once

#include <windows.h>

// Where window `index` of `count` goes when they are tiled in a grid over
// `area`: as large as the grid allows, never larger than `natural`, each at
// the top-left of its cell.
RECT TileRect(RECT area, int count, int index, SIZE natural);

// The area left of `width` pixels at the left of the work area: the
// companion's place, and the rest for the tools.
RECT SplitOffLeft(RECT* workArea, int width);
