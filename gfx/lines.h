#pragma once

#include <stdint.h>

// Lines on a surface slot (0 to 3) in 16.16 fixed point, colours 0x00RRGGBB
// blended linearly from the first end point's to the second's. Both end points
// belong to the line; pixels off the surface are skipped one by one. End
// points outside -32,768 to 32,767 draw nothing: the walks would overflow.

// Drawn with the slot's PutPixel; nothing when the line spans more than 2000
// pixels either way. Equal colours are plotted exactly as given, top byte too.
void DrawLine(int slot, int x0, int y0, uint32_t colour0, int x1, int y1, uint32_t colour1);

// Anti-aliased: steep and shallow lines cover two pixels across the line with
// complementary weights through the slot's BlendPixel; horizontal, diagonal
// and one-point lines are plotted crisp. Nothing when a span exceeds 32,767.
void DrawSmoothLine(int slot, int x0, int y0, uint32_t colour0, int x1, int y1, uint32_t colour1);
