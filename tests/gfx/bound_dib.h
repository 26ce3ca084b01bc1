#pragma once

#include "gfx/bitmap_helpers.h"
#include "gfx/pixel_surfaces.h"

// A DIB bound to a slot for the life of a test and filled with one colour;
// the slot is unbound afterwards. A negative height makes it bottom-up.
struct BoundDib {
    BoundDib(int slot, int width, int height, WORD bits, uint32_t fill = 0) : slot(slot) {
        bitmap = CreateDib(width, height, bits);
        BindSurface(slot, bitmap);
        for (int y = 0; y < height || y < -height; ++y)
            for (int x = 0; x < width; ++x)
                thePixelOps[PutPixel][slot].put(x, y, fill);
    }
    ~BoundDib() {
        BindSurface(slot, nullptr);
        DeleteObject(bitmap);
    }
    uint32_t Read(int x, int y) const { return thePixelOps[ReadPixel][slot].read(x, y); }
    BYTE* Bits() const { return (BYTE*)GetBitmapInfo(bitmap).bmBits; }

    int slot;
    HBITMAP bitmap;
};

// Calls draw(dc) with the object selected into a new memory context, then
// deletes the context and flushes GDI.
template <typename Draw> void WithDc(HGDIOBJ object, Draw draw) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, object);
    draw(dc);
    SelectObject(dc, previous);
    DeleteDC(dc);
    GdiFlush();
}
