#include "gfx/lines.h"

#include "gfx/colour_arithmetic.h"
#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

const uint32_t kPaper = 0x00204060;
const uint32_t kInk = 0x00F0A010;

typedef std::vector<std::pair<int, int>> Points;

Points Inked(const BoundDib& dib, int width, int height) {
    Points points;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (dib.Read(x, y) != kPaper)
                points.push_back({x, y});
    return points;
}

TEST(Lines, PixelsOfAShallowLineInEitherDirection) {
    BoundDib dib(2, 7, 5, 32, kPaper);
    const Points expected = {{0, 0}, {1, 0}, {2, 1}, {3, 1}};
    DrawLine(2, 0, 0, kInk, 3, 1, kInk);
    EXPECT_EQ(expected, Inked(dib, 7, 5));
    DrawLine(2, 0, 0, kPaper, 3, 1, kPaper);
    // Right to left: the gradient starts at the left end.
    DrawLine(2, 3, 1, 0x00000080, 0, 0, 0x00800000);
    EXPECT_EQ(expected, Inked(dib, 7, 5));
    EXPECT_EQ(0x00800000u, dib.Read(0, 0));
    EXPECT_EQ(0x0000007Fu, dib.Read(3, 1)); // truncated steps miss the end by one
}

TEST(Lines, SpanLimitAndCoordinateRange) {
    BoundDib dib(0, 2003, 3, 32, kPaper);
    DrawLine(0, 0, 1, kInk, 2000, 1, kInk);
    EXPECT_EQ(2001u, Inked(dib, 2003, 3).size());
    DrawLine(0, 0, 0, 0, 2001, 0, 0);
    DrawLine(0, 0, 2001, 0, 1, 0, 0);
    // Rows 65,538 and up would wrap onto row 2 in 16.16.
    DrawLine(0, 0, 65538, 0, 3, 65539, 0);
    DrawSmoothLine(0, 0, 65538, 0, 5, 65539, 0);
    DrawSmoothLine(0, -1, 2, 0, 32767, 2, 0); // span 32,768
    DrawLine(5, 0, 0, 0, 1, 0, 0);            // no such slot
    EXPECT_EQ(2001u, Inked(dib, 2003, 3).size());
    DrawSmoothLine(0, 0, 2, kInk, 32767, 2, kInk); // the longest span there is
    EXPECT_EQ(2001u + 2003u, Inked(dib, 2003, 3).size());
}

TEST(Lines, ColourGradients) {
    BoundDib dib(1, 256, 4, 24, kPaper);
    DrawLine(1, 0, 0, 0x000000, 255, 0, 0x0000FF);
    DrawSmoothLine(1, 255, 1, 0x0000FF, 0, 1, 0x000000);
    for (int x = 0; x < 256; ++x) {
        ASSERT_EQ(uint32_t(x), dib.Read(x, 0));
        ASSERT_EQ(uint32_t(x), dib.Read(x, 1));
    }
    DrawLine(1, 0, 2, 0x000000, 2, 2, 0x0000FF);
    EXPECT_EQ(0x00u, dib.Read(0, 2));
    EXPECT_EQ(0x7Fu, dib.Read(1, 2));
    EXPECT_EQ(0xFFu, dib.Read(2, 2));

    DrawLine(1, 9, 3, 0x00112233, 9, 3, 0x00445566);
    DrawSmoothLine(1, 10, 3, 0x00112233, 10, 3, 0x00445566);
    EXPECT_EQ(0x00112233u, dib.Read(9, 3));
    EXPECT_EQ(0x00445566u, dib.Read(10, 3));
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
        EXPECT_EQ(kPaper, dib.Read(10, i));
    }
}

} // namespace
