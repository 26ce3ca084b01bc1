#include "gfx/text_on_bitmap.h"

#include "gfx/bitmap_helpers.h"

#include <gtest/gtest.h>

#include <stdint.h>

namespace {

const uint32_t kBackground = 0x00123456;

uint32_t Pixel(HBITMAP bitmap, int x, int y) {
    BITMAP info = GetBitmapInfo(bitmap);
    return ((uint32_t*)((BYTE*)info.bmBits + y * info.bmWidthBytes))[x];
}

HBITMAP Background(int width, int height) {
    HBITMAP bitmap = CreateDib(width, height, 32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ((uint32_t*)GetBitmapInfo(bitmap).bmBits)[y * width + x] = kBackground;
    return bitmap;
}

TEST(TextOnBitmap, PaintsOnlyTheGlyphs) {
    const int width = 61, height = 30;
    HBITMAP bitmap = Background(width, height);
    // No text: the result of DeleteDC, and nothing painted.
    EXPECT_TRUE(DrawTextOnBitmap(bitmap, 0, 0, nullptr, RGB(0, 0, 0)));
    EXPECT_TRUE(DrawTextOnBitmap(bitmap, 0, 0, "", RGB(0, 0, 0)));
    EXPECT_TRUE(DrawTextOnBitmap(bitmap, 5, 7, "Hi!", RGB(0xF0, 0x80, 0x10)));
    GdiFlush();
    // The glyph box of "Hi!" in the font used.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    SIZE box;
    GetTextExtentPoint32A(dc, "Hi!", 3, &box);
    SelectObject(dc, previous);
    DeleteDC(dc);
    int painted = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = Pixel(bitmap, x, y);
            if (pixel == kBackground)
                continue;
            ++painted;
            EXPECT_EQ(0x00F08010u, pixel) << x << "," << y; // COLORREF red lands high
            EXPECT_TRUE(x >= 5 && x < 5 + box.cx && y >= 7 && y < 7 + box.cy) << x << "," << y;
        }
    EXPECT_GT(painted, 10);
    EXPECT_LT(painted, box.cx * box.cy / 2) << "the background shows between the glyphs";
    DeleteObject(bitmap);
}

} // namespace
