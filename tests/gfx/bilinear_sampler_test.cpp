#include "gfx/bilinear_sampler.h"

#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

TEST(BilinearSampler, CentresHalvesAndEdges) {
    BoundDib other(0, 3, 3, 32, 0x00FFFFFF);
    BoundDib dib(2, 3, 2, 24);
    thePixelOps[PutPixel][2].put(1, 0, 0x00FF8001);
    thePixelOps[PutPixel][2].put(2, 0, 0x00204080);
    thePixelOps[PutPixel][2].put(1, 1, 0x00000003);
    thePixelOps[PutPixel][2].put(2, 1, 0x00400000);
    const int one = 65536;
    EXPECT_EQ(0x00FF8001u, theSamplers[2](one, 0));
    EXPECT_EQ(0x008F6040u, theSamplers[2](one + 0x8000, 0)); // average, rounded down
    EXPECT_EQ(0x00204080u, theSamplers[2](one + 0xFF00, 0)); // the right neighbour whole
    EXPECT_EQ(0x007F4002u, theSamplers[2](one, 0x8000));
    // Both fractions, unequal: a quarter across and three quarters down.
    EXPECT_EQ(0x003D1C09u, theSamplers[2](one + 0x4000, 0xC000));
    EXPECT_EQ(0x00102040u, theSamplers[2](2 * one + 0x8000, 0)); // fades into the black outside
    EXPECT_EQ(0x00000003u, theSamplers[2](one, one));            // the second row
    EXPECT_EQ(0x00FFFFFFu, theSamplers[0](one, one));            // each reads its own slot
}
