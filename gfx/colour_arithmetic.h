#pragma once

#include <stdint.h>

// Packed colours: three 8-bit channels in bits 0-7, 8-15 and 16-23, worked on
// together without unpacking. The channels are treated alike, so these serve
// 0x00RRGGBB pixels and COLORREF values both. Bits 24-31 of the inputs are
// ignored; those of the results are 0. Inline: every blended pixel uses them.

// Per channel (a * weight + b * (256 - weight)) >> 8; weight 0 to 256 is the
// share of a in 256ths. Outside that range the channels spill into each other.
inline uint32_t BlendColour(uint32_t a, uint32_t b, int weight) {
    uint32_t w = uint32_t(weight);
    uint32_t v = 256 - w;
    // Each field's sum stays in its own lane: at most 0xFF * 256 above its base.
    uint32_t blue = ((a & 0xFF) * w + (b & 0xFF) * v) & 0xFF00;
    uint32_t green = ((a & 0xFF00) * w + (b & 0xFF00) * v) & 0xFF0000;
    uint32_t red = ((a & 0xFF0000) * w + (b & 0xFF0000) * v) & 0xFF000000;
    return (red | green | blue) >> 8;
}

// Per channel (a * b) >> 8, so full times full gives 0xFE.
inline uint32_t ModulateColour(uint32_t a, uint32_t b) {
    uint32_t blue = ((a & 0xFF) * (b & 0xFF)) & 0xFF00;
    uint32_t green = ((a & 0xFF00) * ((b >> 8) & 0xFF)) & 0xFF0000;
    uint32_t red = ((a & 0xFF0000) * ((b >> 16) & 0xFF)) & 0xFF000000;
    return (red | green | blue) >> 8;
}
