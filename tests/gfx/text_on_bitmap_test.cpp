#include "gfx/text_on_bitmap.h"

#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

TEST(TextOnBitmap, PaintsOnlyTheGlyphs) {
    const uint32_t paper = 0x00123456;
    BoundDib dib(0, 61, 30, 32, paper);
    EXPECT_TRUE(DrawTextOnBitmap(dib.bitmap, 0, 0, nullptr, RGB(0, 0, 0)));
    EXPECT_TRUE(DrawTextOnBitmap(dib.bitmap, 5, 7, "Hi!", RGB(0xF0, 0x80, 0x10)));
    GdiFlush();
    SIZE box;
    WithDc(GetStockObject(SYSTEM_FIXED_FONT),
           [&](HDC dc) { GetTextExtentPoint32A(dc, "Hi!", 3, &box); });
    int painted = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 61; ++x)
            if (dib.Read(x, y) != paper) {
                ++painted;
                EXPECT_EQ(0x00F08010u, dib.Read(x, y)); // COLORREF red lands high
                EXPECT_TRUE(x >= 5 && x < 5 + box.cx && y >= 7 && y < 7 + box.cy) << x << "," << y;
            }
    EXPECT_GT(painted, 10);
    EXPECT_LT(painted, box.cx * box.cy / 2); // the paper shows between the glyphs
}
