#include "gfx/pixel_surfaces.h"

#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

#include <string.h>
#include <tuple>

TEST(PixelSurfaces, FormatsOnEverySlot) {
    for (int slot = 0; slot < kSurfaceSlots; ++slot) {
        SCOPED_TRACE(slot);
        const PutPixelOp& put = thePixelOps[PutPixel][slot].put;
        const PutPixelOp& putUnchecked = thePixelOps[PutPixelUnchecked][slot].put;
        const ReadPixelOp& readUnchecked = thePixelOps[ReadPixelUnchecked][slot].read;
        BoundDib dib16(slot, 3, 10, 16); // rows of 6 bytes padded to 8: a stride of 4 pixels
        put(2, 9, 0x00123456);
        EXPECT_EQ(0x08CA, ((uint16_t*)dib16.Bits())[9 * 4 + 2]);
        EXPECT_EQ(0x00103050u, readUnchecked(2, 9));
        putUnchecked(1, 3, 0x00ABCDEF);
        EXPECT_EQ(0x00A8C8E8u, dib16.Read(1, 3)); // the top five bits of each channel
        EXPECT_EQ(0u, dib16.Read(-1, 0) | dib16.Read(0, -1) | dib16.Read(3, 0) | dib16.Read(0, 10));

        BoundDib dib24(slot, 5, 3, 24); // rows of 15 bytes padded to 16
        put(2, 1, 0xAB123456);
        EXPECT_EQ(0, memcmp("\x56\x34\x12\x00", dib24.Bits() + 16 + 6, 4));
        putUnchecked(4, 2, 0x00654321);
        EXPECT_EQ(0x00654321u, dib24.Read(4, 2));
        EXPECT_EQ(0x00123456u, readUnchecked(2, 1));

        BoundDib dib32(slot, 7, 2, 32);
        put(6, 1, 0xFF123456);
        put(7, 0, 0x00FFFFFF); // past the row end: nothing
        EXPECT_EQ(0xFF123456u, ((uint32_t*)dib32.Bits())[7 + 6]);
        EXPECT_EQ(0x00123456u, dib32.Read(6, 1));
        EXPECT_EQ(0x00123456u, readUnchecked(6, 1)); // the top byte read as 0
        putUnchecked(0, 1, 0x00FEDCBA);
        EXPECT_EQ(0x00FEDCBAu, dib32.Read(0, 1));
        thePixelOps[BlendPixel][slot].blend(3, 0, 0x00FF0000, 128);
        EXPECT_EQ(0x007F0000u, dib32.Read(3, 0));
    }
}

TEST(PixelSurfaces, BottomUpDibsStartAtTheBottomRow) {
    BoundDib dib(2, 5, -3, 24);
    thePixelOps[PutPixel][2].put(1, 0, 0x00FF8040);
    WithDc(dib.bitmap, [](HDC dc) { EXPECT_EQ(RGB(0xFF, 0x80, 0x40), GetPixel(dc, 1, 2)); });
}

// Every field of the slot as in one never bound, with the default operations.
static void ExpectUnbound(int slot) {
    auto fields = [](const Surface& s) {
        const BITMAP& i = s.info;
        return std::make_tuple(s.bitmap, i.bmType, i.bmWidth, i.bmHeight, i.bmWidthBytes,
                               i.bmPlanes, i.bmBitsPixel, i.bmBits);
    };
    EXPECT_EQ(fields(Surface{}), fields(theSurfaces[slot]));
    for (int kind = 0; kind < kPixelOpKinds; ++kind)
        EXPECT_EQ(0, memcmp(&theFormatOps[kind][slot], &thePixelOps[kind][slot], sizeof(PixelOp)));
}

// Null, a device-dependent bitmap (no pixel memory) and 8 bits get the defaults.
TEST(PixelSurfaces, BindingSwitchesOneSlotOnly) {
    HBITMAP a = CreateDib(4, 4, 32), b = CreateDib(4, 4, 16);
    BindSurface(0, a);
    EXPECT_EQ(nullptr, BindSurface(3, a));
    EXPECT_EQ(a, BindSurface(3, b));
    EXPECT_EQ(theFormatOps[BlendPixel][2 * 4 + 3].blend, thePixelOps[BlendPixel][3].blend);
    EXPECT_EQ(theFormatOps[BlendPixel][4 * 4 + 0].blend, thePixelOps[BlendPixel][0].blend);
    EXPECT_EQ(nullptr, BindSurface(4, a)); // no such slot
    EXPECT_EQ(nullptr, BindSurface(-1, a));
    HBITMAP others[] = {CreateBitmap(8, 8, 1, 16, nullptr), CreateBitmap(8, 8, 1, 24, nullptr),
                        CreateBitmap(8, 8, 1, 32, nullptr), CreateDib(8, 8, 8), nullptr};
    for (HBITMAP other : others) {
        BindSurface(3, other);
        for (int kind = 0; kind < kPixelOpKinds; ++kind)
            EXPECT_EQ(0, memcmp(&theFormatOps[kind][3], &thePixelOps[kind][3], sizeof(PixelOp)));
        thePixelOps[PutPixel][3].put(2, 2, 0x00FFFFFF);
        thePixelOps[BlendPixel][3].blend(2, 2, 0x00FFFFFF, 9);
        EXPECT_EQ(0u, thePixelOps[ReadPixel][3].read(2, 2));
        DeleteObject(other);
    }
    ExpectUnbound(3);
    EXPECT_EQ(a, BindSurface(0, nullptr));
    ExpectUnbound(0);
    // Unbound from 32 bits, the slot takes 16 bits like a new one.
    BindSurface(0, b);
    EXPECT_EQ(b, theSurfaces[0].bitmap);
    EXPECT_EQ(4, theSurfaces[0].info.bmWidthBytes) << "a row of 8 bytes, in pixels";
    EXPECT_EQ(theFormatOps[ReadPixel][2 * 4 + 0].read, thePixelOps[ReadPixel][0].read);
    BindSurface(0, nullptr);
    ExpectUnbound(0);
    DeleteObject(a);
    DeleteObject(b);
}
