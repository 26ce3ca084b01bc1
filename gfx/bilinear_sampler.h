#pragma once

#include <stdint.h>

// A bilinearly filtered colour at (u, v) in 16.16 pixel coordinates, read
// through the current ReadPixel of one slot. Neighbours off the surface read
// as black, so samples fade toward black past the right and bottom edges.
typedef uint32_t (*Sampler)(int u, int v);

// The sampler of slot 0, 1, 2 and 3.
extern const Sampler theSamplers[4];
