#include "gfx/bilinear_sampler.h"

#include "gfx/pixel_surfaces.h"

namespace {

uint32_t Channel(uint32_t c00, uint32_t c10, uint32_t c11, uint32_t c01, int shift, int w00,
                 int w10, int w11, int w01) {
    int sum = int((c00 >> shift) & 0xFF) * w00 + int((c10 >> shift) & 0xFF) * w10 +
              int((c11 >> shift) & 0xFF) * w11 + int((c01 >> shift) & 0xFF) * w01;
    return uint32_t(sum >> 16) << shift;
}

template <int slot> uint32_t SampleBilinear(int u, int v) {
    int x = u >> 16, y = v >> 16;
    // The fraction's top eight bits scaled to 0-256: 0xFF00 takes the next pixel whole.
    int fx = (u & 0xFF00) / 255, fy = (v & 0xFF00) / 255;
    uint32_t c00 = thePixelOps[ReadPixel][slot].read(x, y) & 0xFFFFFF;
    uint32_t c10 = thePixelOps[ReadPixel][slot].read(x + 1, y) & 0xFFFFFF;
    uint32_t c11 = thePixelOps[ReadPixel][slot].read(x + 1, y + 1) & 0xFFFFFF;
    uint32_t c01 = thePixelOps[ReadPixel][slot].read(x, y + 1) & 0xFFFFFF;
    int w00 = (256 - fx) * (256 - fy), w10 = fx * (256 - fy), w11 = fx * fy, w01 = (256 - fx) * fy;
    return Channel(c00, c10, c11, c01, 16, w00, w10, w11, w01) |
           Channel(c00, c10, c11, c01, 8, w00, w10, w11, w01) |
           Channel(c00, c10, c11, c01, 0, w00, w10, w11, w01);
}

} // namespace

const Sampler theSamplers[4] = {SampleBilinear<0>, SampleBilinear<1>, SampleBilinear<2>,
                                SampleBilinear<3>};
