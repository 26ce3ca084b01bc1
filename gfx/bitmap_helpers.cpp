#include "gfx/bitmap_helpers.h"

BITMAP GetBitmapInfo(HBITMAP bitmap) {
    BITMAP info;
    // Another kind of GDI object succeeds with fewer bytes (a palette gives
    // 2) and leaves the rest unwritten: that is no bitmap either.
    if (GetObjectA(bitmap, sizeof info, &info) != sizeof info)
        ZeroMemory(&info, sizeof info);
    return info;
}

LONG BitmapWidth(HBITMAP bitmap) {
    return GetBitmapInfo(bitmap).bmWidth;
}

LONG BitmapHeight(HBITMAP bitmap) {
    return GetBitmapInfo(bitmap).bmHeight;
}

WORD BitmapPlanes(HBITMAP bitmap) {
    return GetBitmapInfo(bitmap).bmPlanes;
}

WORD BitmapBitsPerPixel(HBITMAP bitmap) {
    return GetBitmapInfo(bitmap).bmBitsPixel;
}

HBITMAP CreateDib(LONG width, LONG height, WORD bitCount) {
    // A header with room for the largest colour table (256 entries).
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info;
    ZeroMemory(&info, sizeof info);
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = bitCount;
    info.header.biCompression = BI_RGB;
    if (bitCount >= 1 && bitCount <= 8) {
        int count = 1 << bitCount;
        for (int i = 0; i < count; ++i) {
            BYTE grey = BYTE(i * 255 / (count - 1));
            info.colours[i] = {grey, grey, grey, 0};
        }
    }
    void* bits = nullptr;
    return CreateDIBSection(nullptr, (BITMAPINFO*)&info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

HGDIOBJ DeleteGdiObject(HGDIOBJ object) {
    if (object && DeleteObject(object))
        return nullptr;
    return object;
}

namespace {

// Gives the destination the source's colour table, if the source has one.
void CopyColourTable(HBITMAP destination, HBITMAP source) {
    RGBQUAD table[256];
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, source);
    UINT count = GetDIBColorTable(dc, 0, 256, table);
    SelectObject(dc, destination);
    if (count)
        SetDIBColorTable(dc, 0, count, table);
    SelectObject(dc, previous);
    DeleteDC(dc);
}

} // namespace

HBITMAP DuplicateBitmap(HBITMAP source, BOOL noCopy) {
    LONG width = BitmapWidth(source);
    LONG height = BitmapHeight(source);
    WORD bitCount = BitmapBitsPerPixel(source);
    HBITMAP copy = CreateDib(width, height, bitCount);
    // Indices copied through the grey table would be mapped to the nearest grey.
    if (copy && bitCount <= 8)
        CopyColourTable(copy, source);
    if (!noCopy)
        StretchBitmapToBitmap(copy, 0, 0, width, height, source, 0, 0, width, height);
    return copy;
}

BOOL StretchBitmapToBitmap(HBITMAP destination, int x, int y, int width, int height, HBITMAP source,
                           int sourceX, int sourceY, int sourceWidth, int sourceHeight) {
    if (width == 0)
        width = BitmapWidth(destination);
    if (height == 0)
        height = BitmapHeight(destination);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, destination);
    BOOL result = StretchBitmapToDC(dc, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                                    sourceHeight);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return result;
}

BOOL StretchBitmapToDC(HDC destination, int x, int y, int width, int height, HBITMAP source,
                       int sourceX, int sourceY, int sourceWidth, int sourceHeight) {
    if (sourceWidth == 0)
        sourceWidth = BitmapWidth(source);
    if (sourceHeight == 0)
        sourceHeight = BitmapHeight(source);
    if (width == 0)
        width = sourceWidth;
    if (height == 0)
        height = sourceHeight;
    HDC sourceDc = CreateCompatibleDC(destination);
    HGDIOBJ previous = SelectObject(sourceDc, source);
    int previousMode = SetStretchBltMode(destination, COLORONCOLOR);
    BOOL result = StretchBlt(destination, x, y, width, height, sourceDc, sourceX, sourceY,
                             sourceWidth, sourceHeight, SRCCOPY);
    SetStretchBltMode(destination, previousMode);
    SelectObject(sourceDc, previous);
    DeleteDC(sourceDc);
    return result;
}

BOOL FillSolidRect(HDC dc, const RECT* rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, rect, brush);
    return DeleteObject(brush);
}

BOOL ClearBitmap(HBITMAP bitmap) {
    RECT rect = {0, 0, BitmapWidth(bitmap), BitmapHeight(bitmap)};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    FillSolidRect(dc, &rect, RGB(0, 0, 0));
    SelectObject(dc, previous);
    return DeleteDC(dc);
}
