#include "gfx/text_on_bitmap.h"

#include "util/text.h"

BOOL DrawTextOnBitmap(HBITMAP bitmap, int x, int y, const char* text, COLORREF colour) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previousFont = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, x, y, text, StrLength(text));
    SelectObject(dc, previousBitmap);
    SelectObject(dc, previousFont);
    return DeleteDC(dc);
}
