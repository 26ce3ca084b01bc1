#pragma once

#include <windows.h>

// Prints text with the system fixed font, its top-left corner at (x, y),
// painting only the glyphs. A null text draws nothing. The DeleteDC result.
BOOL DrawTextOnBitmap(HBITMAP bitmap, int x, int y, const char* text, COLORREF colour);
