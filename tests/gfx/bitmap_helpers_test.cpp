#include "gfx/bitmap_helpers.h"

#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <tuple>

namespace {

uint32_t* Row(HBITMAP bitmap, int y) {
    BITMAP info = GetBitmapInfo(bitmap);
    return (uint32_t*)((BYTE*)info.bmBits + y * info.bmWidthBytes);
}

// A 5 x 3 32-bit picture whose every pixel differs, red unlike blue.
HBITMAP Sample() {
    HBITMAP bitmap = CreateDib(5, 3, 32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            Row(bitmap, y)[x] = 0x00100000u * (x + 1) + 0x00000300u * (y + 1) + 0x07u;
    return bitmap;
}

HBITMAP Filled(int width, int height, uint32_t pixel) {
    HBITMAP bitmap = CreateDib(width, height, 32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Row(bitmap, y)[x] = pixel;
    return bitmap;
}

const uint32_t kSentinel = 0x00ABCDEFu;

// Whether a pixel is one of a block of the source's: a shrink that drops
// rows and columns (COLORONCOLOR) gives such pixels, one that blends does not.
bool FromBlock(HBITMAP source, int left, int top, int width, int height, uint32_t pixel) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (Row(source, y)[x] == pixel)
                return true;
    return false;
}

TEST(BitmapHelpers, QueriesAndTopDownDibs) {
    BITMAP none = GetBitmapInfo(nullptr);
    EXPECT_EQ(0, none.bmType | none.bmWidth | none.bmHeight | none.bmWidthBytes);
    EXPECT_EQ(nullptr, none.bmBits);
    EXPECT_EQ(0, BitmapWidth(nullptr));
    EXPECT_EQ(0, BitmapBitsPerPixel(nullptr));
    // Another kind of GDI object is no bitmap either, not a half-read one.
    LOGPALETTE logical = {0x300, 1, {{1, 2, 3, 0}}};
    HPALETTE palette = CreatePalette(&logical);
    BITMAP other = GetBitmapInfo((HBITMAP)palette);
    EXPECT_EQ(0, other.bmType | other.bmWidth | other.bmHeight | other.bmWidthBytes);
    EXPECT_EQ(0, other.bmPlanes | other.bmBitsPixel);
    DeleteObject(palette);

    HBITMAP dib = CreateDib(13, 7, 24);
    ASSERT_TRUE(dib);
    EXPECT_EQ(13, BitmapWidth(dib));
    EXPECT_EQ(7, BitmapHeight(dib)); // positive although created top-down
    EXPECT_EQ(1, BitmapPlanes(dib));
    EXPECT_EQ(24, BitmapBitsPerPixel(dib));
    BITMAP info = GetBitmapInfo(dib);
    EXPECT_EQ(40, info.bmWidthBytes); // 39 bytes padded to a multiple of 4
    ASSERT_TRUE(info.bmBits);
    // Row 0 lies first in memory: a fill of the top row lands at bmBits.
    RECT top = {0, 0, 13, 1};
    WithDc(dib, [&](HDC dc) { FillSolidRect(dc, &top, RGB(0x11, 0x22, 0x33)); });
    EXPECT_EQ(0, memcmp("\x33\x22\x11", info.bmBits, 3)); // blue first in memory
    EXPECT_EQ(0x00, ((const BYTE*)info.bmBits)[40]);
    DeleteObject(dib);
}

TEST(BitmapHelpers, LowBitCountsGetAGreyscaleTable) {
    struct Case {
        WORD bits;
        int entry;
        BYTE grey;
    } cases[] = {{1, 1, 255}, {4, 1, 17}, {4, 15, 255}, {8, 128, 128}, {8, 255, 255}};
    for (const Case& c : cases) {
        HBITMAP dib = CreateDib(3, 2, c.bits);
        ASSERT_TRUE(dib) << c.bits;
        RGBQUAD table[256] = {};
        WithDc(dib,
               [&](HDC dc) { EXPECT_EQ(UINT(1 << c.bits), GetDIBColorTable(dc, 0, 256, table)); });
        EXPECT_EQ(0, table[0].rgbRed | table[0].rgbGreen | table[0].rgbBlue);
        EXPECT_EQ(c.grey, table[c.entry].rgbRed) << c.bits;
        EXPECT_EQ(c.grey, table[c.entry].rgbBlue) << c.bits;
        DeleteObject(dib);
    }
}

TEST(BitmapHelpers, DeleteGdiObjectReportsWhatIsLeft) {
    EXPECT_EQ(nullptr, DeleteGdiObject(nullptr));
    HBITMAP dib = CreateDib(2, 2, 32);
    EXPECT_EQ(nullptr, DeleteGdiObject(dib));
    EXPECT_EQ((HGDIOBJ)dib, DeleteGdiObject(dib)); // already gone: unchanged
}

TEST(BitmapHelpers, ZeroSizesMeanTheWholeSource) {
    HBITMAP source = Sample();
    HBITMAP target = Filled(20, 10, kSentinel);
    WithDc(target, [&](HDC dc) {
        // A context that ORs what it shrinks: the helper shrinks without blending.
        SetStretchBltMode(dc, WHITEONBLACK);
        EXPECT_TRUE(StretchBitmapToDC(dc, 0, 0, 2, 1, source, 0, 0, 4, 2));
        EXPECT_EQ(WHITEONBLACK, GetStretchBltMode(dc)) << "stretch mode put back";
        EXPECT_TRUE(StretchBitmapToDC(dc, 4, 2, 0, 0, source, 0, 0, 0, 0));
        // Destination sizes given, source sizes 0: the whole source doubled.
        EXPECT_TRUE(StretchBitmapToDC(dc, 10, 4, 10, 6, source, 0, 0, 0, 0));
    });
    EXPECT_TRUE(FromBlock(source, 0, 0, 2, 2, Row(target, 0)[0]));
    EXPECT_TRUE(FromBlock(source, 2, 0, 2, 2, Row(target, 0)[1]));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(Row(source, y)[x], Row(target, 2 + y)[4 + x]);
            EXPECT_EQ(Row(source, y)[x], Row(target, 4 + 2 * y + 1)[10 + 2 * x + 1]);
        }
    EXPECT_EQ(std::make_tuple(kSentinel, kSentinel, kSentinel),
              std::make_tuple(Row(target, 1)[4], Row(target, 2)[9], Row(target, 5)[3]));

    // Onto a bitmap with every size 0: the source stretched over all of it.
    EXPECT_TRUE(StretchBitmapToBitmap(target, 0, 0, 0, 0, source, 0, 0, 0, 0));
    GdiFlush();
    EXPECT_EQ(std::make_tuple(Row(source, 0)[0], Row(source, 2)[4], Row(source, 1)[2]),
              std::make_tuple(Row(target, 0)[0], Row(target, 9)[19], Row(target, 5)[10]));
    // Shrunk onto a bitmap, whose new context would AND what it shrinks.
    HBITMAP small = Filled(2, 1, kSentinel);
    EXPECT_TRUE(StretchBitmapToBitmap(small, 0, 0, 0, 0, source, 1, 1, 4, 2));
    GdiFlush();
    EXPECT_TRUE(FromBlock(source, 1, 1, 2, 2, Row(small, 0)[0]));
    EXPECT_TRUE(FromBlock(source, 3, 1, 2, 2, Row(small, 0)[1]));
    DeleteObject(small);
    DeleteObject(source);
    DeleteObject(target);
}

TEST(BitmapHelpers, DuplicateWithAndWithoutThePixels) {
    HBITMAP source = Sample();
    HBITMAP copy = DuplicateBitmap(source, FALSE);
    HBITMAP blank = DuplicateBitmap(source, TRUE);
    ASSERT_TRUE(copy && blank);
    GdiFlush();
    for (HBITMAP bitmap : {copy, blank})
        EXPECT_EQ(
            std::make_tuple(5, 3, 32),
            std::make_tuple(BitmapWidth(bitmap), BitmapHeight(bitmap), BitmapBitsPerPixel(bitmap)));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(Row(source, y)[x], Row(copy, y)[x]);
            EXPECT_EQ(0u, Row(blank, y)[x]);
        }
    EXPECT_EQ(nullptr, DuplicateBitmap(nullptr, FALSE));
    DeleteObject(source);
    DeleteObject(copy);
    DeleteObject(blank);
}

TEST(BitmapHelpers, DuplicateKeepsTheColoursOfAnIndexedBitmap) {
    HBITMAP source = CreateDib(7, 1, 8);
    RGBQUAD table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = {BYTE(i * 3), BYTE(254 - i), BYTE(i * 7 + 1), 0}; // none grey
    const BYTE indices[7] = {1, 50, 100, 200, 0, 255, 7};
    memcpy(GetBitmapInfo(source).bmBits, indices, sizeof indices);
    WithDc(source, [&](HDC dc) { SetDIBColorTable(dc, 0, 256, table); });
    HBITMAP copy = DuplicateBitmap(source, FALSE);
    WithDc(copy, [&](HDC dc) {
        for (int x = 0; x < 7; ++x) {
            const RGBQUAD& c = table[indices[x]];
            EXPECT_EQ(RGB(c.rgbRed, c.rgbGreen, c.rgbBlue), GetPixel(dc, x, 0)) << int(indices[x]);
        }
    });
    // A device-dependent bitmap has no table: its copy shows the same pixels.
    const BYTE pattern[2] = {0xA5, 0};
    HBITMAP mono = CreateBitmap(8, 1, 1, 1, pattern);
    HBITMAP monoCopy = DuplicateBitmap(mono, FALSE);
    WithDc(mono, [&](HDC dc) {
        WithDc(monoCopy, [&](HDC copyDc) {
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(GetPixel(dc, x, 0), GetPixel(copyDc, x, 0)) << x;
        });
    });
    for (HBITMAP bitmap : {source, copy, mono, monoCopy})
        DeleteObject(bitmap);
}

TEST(BitmapHelpers, FillsAndClear) {
    HBITMAP bitmap = Filled(7, 3, kSentinel);
    RECT rect = {1, 1, 3, 2};
    WithDc(bitmap, [&](HDC dc) { EXPECT_TRUE(FillSolidRect(dc, &rect, RGB(255, 0, 0))); });
    EXPECT_EQ(0x00FF0000u, Row(bitmap, 1)[1]); // red sits above green and blue in memory
    EXPECT_EQ(0x00FF0000u, Row(bitmap, 1)[2]);
    EXPECT_EQ(kSentinel, Row(bitmap, 1)[3]);
    EXPECT_EQ(kSentinel, Row(bitmap, 0)[1]);

    EXPECT_TRUE(ClearBitmap(bitmap));
    GdiFlush();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(0u, Row(bitmap, y)[x]);
    DeleteObject(bitmap);
}

} // namespace
