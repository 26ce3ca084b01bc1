#pragma once

#include <windows.h>

// Bitmap queries, creation, stretched copies and fills over GDI. Colours are
// COLORREF (0x00BBGGRR). Every device context and brush a helper makes is
// released, and every object it selects deselected, before it returns.

// The 24-byte description of a bitmap; all zero when the handle is invalid.
BITMAP GetBitmapInfo(HBITMAP bitmap);
// Each query reads the description afresh; 0 for an invalid handle.
LONG BitmapWidth(HBITMAP bitmap);
LONG BitmapHeight(HBITMAP bitmap); // positive, also for a top-down DIB
WORD BitmapPlanes(HBITMAP bitmap);
WORD BitmapBitsPerPixel(HBITMAP bitmap);

// A new top-down DIB section (row 0 first in memory); null on failure. At 8
// bits per pixel or fewer it gets a greyscale colour table, black to white in
// even steps. The caller owns the bitmap.
HBITMAP CreateDib(LONG width, LONG height, WORD bitCount);

// Null when the object was deleted; the handle unchanged for a null handle or
// a failed delete. Assign the result back to the variable that held it.
HGDIOBJ DeleteGdiObject(HGDIOBJ object);

// A new DIB of the source's size and bit count, with the source's colour
// table if it has one, and the pixels copied unless noCopy is set. The caller
// owns the bitmap; null when it cannot be made.
HBITMAP DuplicateBitmap(HBITMAP source, BOOL noCopy);

// Stretches a source rectangle onto a bitmap (destination sizes 0: the whole
// destination; source sizes 0: the whole source). The StretchBlt result.
BOOL StretchBitmapToBitmap(HBITMAP destination, int x, int y, int width, int height, HBITMAP source,
                           int sourceX, int sourceY, int sourceWidth, int sourceHeight);

// Stretches a source rectangle onto a device context with COLORONCOLOR,
// putting the context's stretch mode back. Source sizes 0 mean the whole
// source; destination sizes 0 the source's size. The StretchBlt result.
BOOL StretchBitmapToDC(HDC destination, int x, int y, int width, int height, HBITMAP source,
                       int sourceX, int sourceY, int sourceWidth, int sourceHeight);

// Fills a rectangle with a solid colour; the DeleteObject result for the brush.
BOOL FillSolidRect(HDC dc, const RECT* rect, COLORREF colour);

// Fills the whole bitmap with black; the DeleteDC result.
BOOL ClearBitmap(HBITMAP bitmap);
