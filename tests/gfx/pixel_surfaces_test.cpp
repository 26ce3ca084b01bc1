#include "gfx/pixel_surfaces.h"

#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

bool HasDefaults(int slot) {
    for (int kind = 0; kind < kPixelOpKinds; ++kind)
        if (memcmp(&thePixelOps[kind][slot], &theFormatOps[kind][slot], sizeof(PixelOp)) != 0)
            return false;
    return true;
}

TEST(PixelSurfaces, FormatsOnEverySlot) {
    for (int slot = 0; slot < kSurfaceSlots; ++slot) {
        SCOPED_TRACE(slot);
        {
            BoundDib dib(slot, 10, 10, 16);
            dib.Put(9, 9, 0x00123456);
            EXPECT_EQ(0x08CA, ((uint16_t*)dib.Bits())[9 * 10 + 9]);
            EXPECT_EQ(0x00103050u, dib.Read(9, 9));
            dib.Put(0, 0, 0x00FFFFFF);
            EXPECT_EQ(0x7FFF, ((uint16_t*)dib.Bits())[0]);
            EXPECT_EQ(0x00F8F8F8u, thePixelOps[ReadPixelUnchecked][slot].read(0, 0));
            for (POINT outside : {POINT{-1, 0}, POINT{0, -1}, POINT{10, 0}, POINT{0, 10}})
                EXPECT_EQ(0u, dib.Read(outside.x, outside.y));
        }
        {
            BoundDib dib(slot, 5, 3, 24); // 15 bytes a row, padded to 16
            thePixelOps[PutPixelUnchecked][slot].put(2, 1, 0xAB123456);
            const BYTE* pixel = dib.Bits() + 16 + 6;
            EXPECT_EQ(0x56, pixel[0]);
            EXPECT_EQ(0x34, pixel[1]);
            EXPECT_EQ(0x12, pixel[2]);
            EXPECT_EQ(0x00, pixel[3]);
            EXPECT_EQ(0x00123456u, dib.Read(2, 1));
        }
        {
            BoundDib dib(slot, 7, 2, 32);
            dib.Put(6, 1, 0xFF123456);
            EXPECT_EQ(0xFF123456u, ((uint32_t*)dib.Bits())[7 + 6]);
            EXPECT_EQ(0x00123456u, dib.Read(6, 1));
            dib.Put(7, 1, 0x00FFFFFF); // past the row end: nothing
            dib.Put(0, 2, 0x00FFFFFF);
            EXPECT_EQ(0u, ((uint32_t*)dib.Bits())[0]);
            thePixelOps[BlendPixel][slot].blend(3, 0, 0x00FF0000, 128);
            EXPECT_EQ(0x007F0000u, dib.Read(3, 0));
        }
        EXPECT_TRUE(HasDefaults(slot));
    }
}

TEST(PixelSurfaces, PaddedRowsAndBottomUpDibs) {
    BoundDib dib(1, 3, 2, 16);
    EXPECT_EQ(4, theSurfaces[1].info.bmWidthBytes); // 8 bytes a row, in pixels
    dib.Put(0, 1, 0x00FF0000);
    EXPECT_EQ(0x7C00, ((uint16_t*)dib.Bits())[4]);

    // A bottom-up DIB is addressed from its bottom row.
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, 5, 3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bottomUp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    BindSurface(2, bottomUp);
    thePixelOps[PutPixel][2].put(1, 0, 0x00FF8040);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bottomUp);
    EXPECT_EQ(RGB(0xFF, 0x80, 0x40), GetPixel(dc, 1, 2));
    SelectObject(dc, previous);
    DeleteDC(dc);
    BindSurface(2, nullptr);
    DeleteObject(bottomUp);
}

TEST(PixelSurfaces, BindingSwitchesOneSlotOnly) {
    HBITMAP a = CreateDib(4, 4, 32), b = CreateDib(4, 4, 16);
    EXPECT_EQ(nullptr, BindSurface(3, a));
    EXPECT_EQ(nullptr, BindSurface(0, a));
    EXPECT_EQ(a, BindSurface(3, b));
    EXPECT_EQ(theFormatOps[PutPixel][8 + 3].put, thePixelOps[PutPixel][3].put);
    EXPECT_EQ(theFormatOps[PutPixel][16 + 0].put, thePixelOps[PutPixel][0].put);
    EXPECT_EQ(nullptr, BindSurface(4, a)); // no such slot
    EXPECT_EQ(nullptr, BindSurface(-1, a));
    EXPECT_EQ(b, BindSurface(3, nullptr));
    EXPECT_EQ(a, BindSurface(0, nullptr));
    EXPECT_TRUE(HasDefaults(0) && HasDefaults(3));
    EXPECT_EQ(0, theSurfaces[3].info.bmWidth);
    DeleteObject(a);
    DeleteObject(b);
}

TEST(PixelSurfaces, BitmapsWithoutPixelMemoryGetTheDefaults) {
    for (WORD bits : {16, 24, 32}) {
        HBITMAP ddb = CreateBitmap(8, 8, 1, bits, nullptr);
        ASSERT_TRUE(ddb) << bits;
        ASSERT_EQ(bits, BitmapBitsPerPixel(ddb));
        BindSurface(1, ddb);
        EXPECT_TRUE(HasDefaults(1)) << bits;
        thePixelOps[PutPixel][1].put(2, 2, 0x00FFFFFF);
        thePixelOps[BlendPixel][1].blend(2, 2, 0x00FFFFFF, 0);
        EXPECT_EQ(0u, thePixelOps[ReadPixel][1].read(2, 2));
        BindSurface(1, nullptr);
        DeleteObject(ddb);
    }
    HBITMAP low = CreateDib(8, 8, 8);
    BindSurface(1, low);
    EXPECT_TRUE(HasDefaults(1));
    BindSurface(1, nullptr);
    DeleteObject(low);
}

} // namespace
