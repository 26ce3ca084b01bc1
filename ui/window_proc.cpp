#include "ui/window.h"

#include "ui/window_binding.h"

#include <string.h>

namespace {

Window* FindWindowObject(HWND hwnd) {
    Window* object = theAttachedWindows;
    while (object && object->hwnd != hwnd)
        object = object->nextWindow;
    return object;
}

// Mouse positions as unsigned 16-bit values, not sign-extended.
UINT LowWord(LPARAM value) {
    return UINT(value & 0xFFFF);
}

UINT HighWord(LPARAM value) {
    return UINT((value >> 16) & 0xFFFF);
}

// Copies a new window text into the object, cut to fit its 256 bytes.
void KeepText(Window* object, const char* newText) {
    if (!newText)
        newText = "";
    strncpy(object->text, newText, sizeof object->text - 1);
    object->text[sizeof object->text - 1] = '\0';
}

// Keeps the update region for OnPaint before BeginPaint validates it.
void PaintSequence(Window* object) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(object->hwnd, region, FALSE);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(object->hwnd, &paint);
    object->OnPaint(dc, region);
    EndPaint(object->hwnd, &paint);
    DeleteObject(region);
}

} // namespace

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* object = FindWindowObject(hwnd);
    if (!object)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        return object->OnCreate((CREATESTRUCTA*)lParam) ? 0 : -1;
    case WM_DESTROY:
        object->OnDestroy();
        object->Detach();
        return 0;
    case WM_ACTIVATE:
        object->OnActivate(LOWORD(wParam), HIWORD(wParam), (HWND)lParam);
        return 0;
    case WM_SETTEXT:
        KeepText(object, (const char*)lParam);
        return ForwardMessage(object, message, wParam, lParam);
    case WM_PAINT:
        if (wParam)
            object->OnPaint((HDC)wParam, nullptr);
        else
            PaintSequence(object);
        return 0;
    case WM_CLOSE:
        object->OnClose();
        return 0;
    case WM_ERASEBKGND:
        object->OnEraseBackground((HDC)wParam);
        return -1;
    case WM_ACTIVATEAPP:
        object->OnActivateApp(wParam, lParam);
        return 0;
    case WM_INITDIALOG:
        return object->OnInitDialog();
    case WM_COMMAND:
        return object->OnCommand((HWND)lParam, LOWORD(wParam), HIWORD(wParam)) ? 0 : -1;
    case WM_LBUTTONDOWN:
        object->OnLeftButtonDown(LowWord(lParam), HighWord(lParam), wParam);
        return 0;
    case WM_LBUTTONUP:
        object->OnLeftButtonUp(LowWord(lParam), HighWord(lParam), wParam);
        return 0;
    case WM_RBUTTONDOWN:
        object->OnRightButtonDown(LowWord(lParam), HighWord(lParam), wParam);
        return 0;
    case WM_RBUTTONUP:
        object->OnRightButtonUp(LowWord(lParam), HighWord(lParam), wParam);
        return 0;
    default:
        return ForwardMessage(object, message, wParam, lParam);
    }
}
