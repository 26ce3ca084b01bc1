#include "gfx/colour_arithmetic.h"

#include <gtest/gtest.h>

namespace {

uint32_t Channel(uint32_t c, int shift) {
    return (c >> shift) & 0xFF;
}

TEST(ColourArithmetic, BlendKeepsEveryChannelInItsLane) {
    EXPECT_EQ(0x007F807Fu, BlendColour(0x00FF8000, 0x000080FF, 128));
    EXPECT_EQ(0x00563412u, BlendColour(0xAB123456, 0xCD563412, 0));
    EXPECT_EQ(0x00123456u, BlendColour(0xAB123456, 0xCD563412, 256));
    const uint32_t pairs[][2] = {
        {0xFFFFFFFF, 0xFFFFFFFF}, {0x00FF0001, 0x0001FF00}, {0x12C4F0E7, 0xFF3A09FE}};
    for (auto& pair : pairs)
        for (int w = 0; w <= 256; ++w) {
            uint32_t blended = BlendColour(pair[0], pair[1], w);
            for (int shift : {0, 8, 16})
                ASSERT_EQ((Channel(pair[0], shift) * w + Channel(pair[1], shift) * (256 - w)) >> 8,
                          Channel(blended, shift))
                    << std::hex << pair[0] << " " << pair[1] << " weight " << std::dec << w;
            ASSERT_EQ(0u, blended >> 24);
        }
}

TEST(ColourArithmetic, Modulate) {
    EXPECT_EQ(0x00FEFEFEu, ModulateColour(0x00FFFFFF, 0x00FFFFFF));
    EXPECT_EQ(0x007F7F7Fu, ModulateColour(0xFFFFFFFF, 0x80808080));
    EXPECT_EQ(0u, ModulateColour(0x00FFFFFF, 0));
    // Channels meet only their own: 0x80 * 0xFF, 0x40 * 0x80, 0xFF * 0x02.
    EXPECT_EQ(0x007F2001u, ModulateColour(0x008040FF, 0x00FF8002));
}

} // namespace
