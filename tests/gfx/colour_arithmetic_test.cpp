#include "gfx/colour_arithmetic.h"

#include <gtest/gtest.h>

TEST(ColourArithmetic, ChannelsStayInTheirLanes) {
    EXPECT_EQ(0x007F807Fu, BlendColour(0x00FF8000, 0x000080FF, 128));
    const uint32_t pairs[][2] = {{0xFFFFFFFF, 0xFFFFFFFF}, {0x12C4F0E7, 0xFF3A09FE}};
    for (auto& pair : pairs)
        for (int w = 0; w <= 256; ++w) {
            uint32_t expected = 0;
            for (int shift : {0, 8, 16})
                expected |=
                    ((pair[0] >> shift & 0xFF) * w + (pair[1] >> shift & 0xFF) * (256 - w)) >>
                    8 << shift;
            ASSERT_EQ(expected, BlendColour(pair[0], pair[1], w)) << w;
        }
    EXPECT_EQ(0x00FEFEFEu, ModulateColour(0x00FFFFFF, 0x00FFFFFF));
    EXPECT_EQ(0x007F2001u, ModulateColour(0xFF8040FF, 0x00FF8002));
}
