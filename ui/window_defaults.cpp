// What a window object does with a message that no subclass handles: pass it
// on, rebuilt from the handler's arguments, plus a little work of its own.
#include "ui/window.h"

#include "gfx/bitmap_helpers.h"

LRESULT ForwardMessage(Window* object, UINT message, WPARAM wParam, LPARAM lParam) {
    if (object->previousProc)
        return CallWindowProcA(object->previousProc, object->hwnd, message, wParam, lParam);
    return DefWindowProcA(object->hwnd, message, wParam, lParam);
}

LRESULT Window::OnActivate(UINT state, UINT minimized, HWND other) {
    return ForwardMessage(this, WM_ACTIVATE, MAKEWPARAM(state, minimized), (LPARAM)other);
}

LRESULT Window::OnActivateApp(WPARAM active, LPARAM threadId) {
    return ForwardMessage(this, WM_ACTIVATEAPP, active, threadId);
}

LRESULT Window::OnClose() {
    return ForwardMessage(this, WM_CLOSE, 0, 0);
}

BOOL Window::OnCommand(HWND control, UINT id, UINT code) {
    return ForwardMessage(this, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)control) == 0;
}

BOOL Window::OnCreate(CREATESTRUCTA* create) {
    if (ForwardMessage(this, WM_CREATE, 0, (LPARAM)create) == -1)
        return FALSE;
    SetFont((HFONT)GetStockObject(DEFAULT_GUI_FONT));
    SetBackgroundColour(GetSysColor(COLOR_WINDOW));
    return TRUE;
}

LRESULT Window::OnDestroy() {
    return ForwardMessage(this, WM_DESTROY, 0, 0);
}

LRESULT Window::OnEraseBackground(HDC dc) {
    LRESULT erased = ForwardMessage(this, WM_ERASEBKGND, (WPARAM)dc, 0);
    if (erased)
        return erased; // the replaced procedure drew it, e.g. with its class brush
    if (backgroundBitmap)
        return StretchBitmapToDC(dc, 0, 0, ClientWidth(), ClientHeight(), backgroundBitmap, 0, 0,
                                 BitmapWidth(backgroundBitmap), BitmapHeight(backgroundBitmap));
    RECT client = ClientRect();
    return FillSolidRect(dc, &client, backgroundColour);
}

LRESULT Window::OnInitDialog() {
    return ForwardMessage(this, WM_INITDIALOG, 0, 0);
}

LRESULT Window::OnLeftButtonDown(UINT x, UINT y, WPARAM keys) {
    return ForwardMessage(this, WM_LBUTTONDOWN, keys, MAKELPARAM(x, y));
}

LRESULT Window::OnLeftButtonUp(UINT x, UINT y, WPARAM keys) {
    return ForwardMessage(this, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

LRESULT Window::OnRightButtonDown(UINT x, UINT y, WPARAM keys) {
    return ForwardMessage(this, WM_RBUTTONDOWN, keys, MAKELPARAM(x, y));
}

LRESULT Window::OnRightButtonUp(UINT x, UINT y, WPARAM keys) {
    return ForwardMessage(this, WM_RBUTTONUP, keys, MAKELPARAM(x, y));
}

LRESULT Window::OnPaint(HDC dc, HRGN region) {
    // Invalidate again what BeginPaint validated, so the procedure passed to
    // finds the same update region.
    InvalidateRgn(hwnd, region, FALSE);
    return ForwardMessage(this, WM_PAINT, region ? 0 : (WPARAM)dc, 0);
}
