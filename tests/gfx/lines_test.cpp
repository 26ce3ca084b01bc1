#include "gfx/lines.h"

#include "gfx/colour_arithmetic.h"
#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <math.h>
#include <stdlib.h>
#include <tuple>

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
    // Into all eight octants from the centre, graded from either end, then
    // solid: one pixel per step of the major axis, the other coordinate
    // rounded to the nearest pixel (no ties here), the left end's colour exact.
    const int ends[8][2] = {{9, 4}, {4, 9}, {-4, 9}, {-9, 4}, {-9, -4}, {-4, -9}, {4, -9}, {9, -4}};
    for (const auto& end : ends)
        for (int pass = 0; pass < 3; ++pass) {
            SCOPED_TRACE(testing::Message() << end[0] << "," << end[1] << " pass " << pass);
            BoundDib octants(1, 21, 21, 32, kPaper);
            int x0 = 10, y0 = 10, x1 = 10 + end[0], y1 = 10 + end[1];
            uint32_t c0 = 0x00103050, c1 = pass == 2 ? c0 : kInk;
            if (pass == 1)
                DrawLine(1, x1, y1, c1, x0, y0, c0);
            else
                DrawLine(1, x0, y0, c0, x1, y1, c1);
            int steps = std::max(abs(end[0]), abs(end[1]));
            EXPECT_EQ(steps + 1, Inked(octants, 21, 21));
            for (int i = 0; i <= steps; ++i)
                EXPECT_NE(kPaper, octants.Read(x0 + int(floor(end[0] * i / double(steps) + 0.5)),
                                               y0 + int(floor(end[1] * i / double(steps) + 0.5))))
                    << "step " << i;
            EXPECT_EQ(x0 < x1 ? c0 : c1, octants.Read(std::min(x0, x1), x0 < x1 ? y0 : y1));
        }

    BoundDib dib(2, 256, 5, 24, kPaper);
    // Right to left: the same pixels, the gradient starting at the left end.
    DrawLine(2, 3, 1, 0x00000080, 0, 0, 0x00800000);
    EXPECT_EQ(4, Inked(dib, 256, 5));
    // The last a step short: truncated steps miss the end by one.
    EXPECT_EQ(std::make_tuple(0x00800000u, 0x0055002Au, 0x002A0055u, 0x0000007Fu),
              std::make_tuple(dib.Read(0, 0), dib.Read(1, 0), dib.Read(2, 1), dib.Read(3, 1)));
    DrawLine(2, 0, 2, 0x000000, 255, 2, 0x0000FF);
    DrawSmoothLine(2, 255, 3, 0x0000FF, 0, 3, 0x000000);
    for (int x = 0; x < 256; ++x)
        ASSERT_EQ(uint32_t(x * 0x10001), dib.Read(x, 2) | dib.Read(x, 3) << 16);
    DrawLine(2, 0, 4, 0x000000, 2, 4, 0x0000FF);
    DrawLine(2, 9, 4, 0x00112233, 9, 4, 0x00445566);         // one point: the first colour
    DrawSmoothLine(2, 10, 4, 0x00112233, 10, 4, 0x00445566); // the second
    EXPECT_EQ(std::make_tuple(0x7Fu, 0x00112233u, 0x00445566u),
              std::make_tuple(dib.Read(1, 4), dib.Read(9, 4), dib.Read(10, 4)));
}

TEST(Lines, SpanLimitAndCoordinateRange) {
    BoundDib dib(0, 2003, 3, 32, kPaper);
    DrawLine(0, 0, 1, kInk, 2000, 1, kInk);
    DrawLine(0, 0, 0, 0, 2001, 0, 0);
    DrawLine(0, 0, 2001, 0, 1, 0, 0);
    DrawLine(0, 0, 65538, 0, 3, 65539, 0); // would wrap onto row 2 in 16.16
    DrawSmoothLine(0, 0, 65538, 0, 5, 65539, 0);
    DrawSmoothLine(0, -1, 2, 0, 32767, 2, 0); // span 32,768
    DrawLine(0, 5, 2001, 0, 5, 0, 0);         // 2001 rows up
    DrawLine(0, 6, 0, 0, 6, 2001, 0);         // and down
    DrawSmoothLine(0, 7, -1, 0, 7, 32767, 0); // 32,768 rows down
    DrawSmoothLine(0, 8, 32767, 0, 8, -1, 0); // and up
    DrawLine(5, 0, 0, 0, 1, 0, 0);            // no such slot
    DrawLine(-1, 0, 0, 0, 1, 0, 0);
    DrawSmoothLine(-1, 0, 0, 0, 1, 0, 0);
    EXPECT_EQ(2001, Inked(dib, 2003, 3));
    DrawSmoothLine(0, 0, 2, kInk, 32767, 2, kInk); // the longest span there is
    EXPECT_EQ(2001 + 2003, Inked(dib, 2003, 3));
}

TEST(Lines, SmoothLineWeights) {
    BoundDib dib(3, 13, 11, 32, kPaper);
    DrawSmoothLine(3, 0, 0, kInk, 4, 2, kInk);
    EXPECT_EQ(std::make_tuple(BlendColour(kPaper, kInk, 128), BlendColour(kPaper, kInk, 127), kInk,
                              BlendColour(kPaper, kInk, 255)),
              std::make_tuple(dib.Read(0, 0), dib.Read(0, 1), dib.Read(1, 1), dib.Read(1, 2)));
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
