#include "gfx/lines.h"

#include "gfx/colour_arithmetic.h"
#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

namespace {

const uint32_t kPaper = 0x00204060, kInk = 0x00F0A010;

int Inked(const BoundDib& dib, int width, int height) {
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            count += dib.Read(x, y) != kPaper;
    return count;
}

TEST(Lines, PixelsAndGradients) {
    BoundDib dib(2, 256, 5, 24, kPaper);
    // Right to left: the same pixels, the gradient starting at the left end.
    DrawLine(2, 3, 1, 0x00000080, 0, 0, 0x00800000);
    EXPECT_EQ(4, Inked(dib, 256, 5));
    EXPECT_EQ(0x00800000u, dib.Read(0, 0));
    EXPECT_EQ(0x0055002Au, dib.Read(1, 0));
    EXPECT_EQ(0x002A0055u, dib.Read(2, 1));
    EXPECT_EQ(0x0000007Fu, dib.Read(3, 1)); // truncated steps miss the end by one
    DrawLine(2, 0, 2, 0x000000, 255, 2, 0x0000FF);
    DrawSmoothLine(2, 255, 3, 0x0000FF, 0, 3, 0x000000);
    for (int x = 0; x < 256; ++x)
        ASSERT_EQ(uint32_t(x * 0x10001), dib.Read(x, 2) | dib.Read(x, 3) << 16);
    DrawLine(2, 0, 4, 0x000000, 2, 4, 0x0000FF);
    DrawLine(2, 9, 4, 0x00112233, 9, 4, 0x00445566);         // one point: the first colour
    DrawSmoothLine(2, 10, 4, 0x00112233, 10, 4, 0x00445566); // the second
    EXPECT_EQ(0x7Fu, dib.Read(1, 4));
    EXPECT_EQ(0x00112233u, dib.Read(9, 4));
    EXPECT_EQ(0x00445566u, dib.Read(10, 4));
}

TEST(Lines, SpanLimitAndCoordinateRange) {
    BoundDib dib(0, 2003, 3, 32, kPaper);
    DrawLine(0, 0, 1, kInk, 2000, 1, kInk);
    DrawLine(0, 0, 0, 0, 2001, 0, 0);
    DrawLine(0, 0, 2001, 0, 1, 0, 0);
    DrawLine(0, 0, 65538, 0, 3, 65539, 0); // would wrap onto row 2 in 16.16
    DrawSmoothLine(0, 0, 65538, 0, 5, 65539, 0);
    DrawSmoothLine(0, -1, 2, 0, 32767, 2, 0); // span 32,768
    DrawLine(5, 0, 0, 0, 1, 0, 0);            // no such slot
    EXPECT_EQ(2001, Inked(dib, 2003, 3));
    DrawSmoothLine(0, 0, 2, kInk, 32767, 2, kInk); // the longest span there is
    EXPECT_EQ(2001 + 2003, Inked(dib, 2003, 3));
}

TEST(Lines, SmoothLineWeights) {
    BoundDib dib(3, 13, 11, 32, kPaper);
    DrawSmoothLine(3, 0, 0, kInk, 4, 2, kInk);
    EXPECT_EQ(BlendColour(kPaper, kInk, 128), dib.Read(0, 0));
    EXPECT_EQ(BlendColour(kPaper, kInk, 127), dib.Read(0, 1));
    EXPECT_EQ(kInk, dib.Read(1, 1));
    EXPECT_EQ(BlendColour(kPaper, kInk, 255), dib.Read(1, 2));
    DrawSmoothLine(3, 0, 5, kInk, 9, 5, kInk);
    DrawSmoothLine(3, 11, 0, kInk, 11, 9, kInk);
    for (int i = 0; i <= 9; ++i) {
        EXPECT_EQ(kInk, dib.Read(i, 5));
        EXPECT_EQ(kPaper, dib.Read(i, 4));
        EXPECT_EQ(BlendColour(kPaper, kInk, 128), dib.Read(11, i));
        EXPECT_EQ(BlendColour(kPaper, kInk, 127), dib.Read(12, i));
    }
    DrawSmoothLine(3, 0, 10, kInk, 3, 7, kInk); // a diagonal is plotted crisp
    for (int i = 0; i <= 3; ++i) {
        EXPECT_EQ(kInk, dib.Read(i, 10 - i));
        EXPECT_EQ(kPaper, dib.Read(i, 9 - i));
    }
}

} // namespace
