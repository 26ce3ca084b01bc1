#include "ui/window.h"

#include "ui/window_binding.h"

Window::Window()
    : hwnd(nullptr), backgroundBitmap(nullptr), backgroundColour(0), nextWindow(nullptr),
      previousProc(nullptr) {
    text[0] = '\0';
}

Window::~Window() {
    HWND held = hwnd;
    if (!Destroy() && IsWindow(held)) {
        // Another thread's window outlives the object: give it back its
        // own procedure, or its messages would come to freed memory.
        hwnd = held;
        Detach();
    }
    // Never leave a list pointing at freed memory, whatever DestroyWindow did.
    UnlinkWindow(&thePendingWindows, this);
    UnlinkWindow(&theAttachedWindows, this);
}

BOOL Window::Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu, void* param) {
    Destroy();
    if (!className)
        className = "Window";
    PrepareCreation(this); // a window is made even when binding cannot be
    HWND made = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                                GetModuleHandleA(nullptr), param);
    FinishCreation(this);
    ForgetRefusedWindow(this);
    return made != nullptr;
}

BOOL Window::Destroy() {
    if (!hwnd)
        return FALSE;
    BOOL destroyed = DestroyWindow(hwnd); // its WM_DESTROY detaches this object
    hwnd = nullptr;
    return destroyed;
}

BOOL Window::Attach(HWND window) {
    Destroy();
    ForgetStaleBinding(this);
    if (!window)
        return FALSE;
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) != (LONG_PTR)WindowProc)
        previousProc = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)WindowProc);
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) != (LONG_PTR)WindowProc)
        return FALSE;
    hwnd = window;
    AppendWindow(&theAttachedWindows, this);
    return TRUE;
}

HWND Window::Detach() {
    if (previousProc && GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == (LONG_PTR)WindowProc)
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, (LONG_PTR)previousProc);
    UnlinkWindow(&theAttachedWindows, this);
    HWND held = hwnd;
    hwnd = nullptr;
    previousProc = nullptr;
    return held;
}

BOOL Window::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(hwnd, message, wParam, lParam);
}

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(hwnd, message, wParam, lParam);
}

RECT Window::ClientRect() {
    RECT rect = {};
    GetClientRect(hwnd, &rect);
    return rect;
}

int Window::ClientWidth() {
    RECT rect = ClientRect();
    return rect.right - rect.left;
}

int Window::ClientHeight() {
    RECT rect = ClientRect();
    return rect.bottom - rect.top;
}

RECT Window::WindowRect() {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

int Window::WindowWidth() {
    RECT rect = WindowRect();
    return rect.right - rect.left;
}

int Window::WindowHeight() {
    RECT rect = WindowRect();
    return rect.bottom - rect.top;
}

BOOL Window::SetText(const char* newText) {
    return SetWindowTextA(hwnd, newText);
}

char* Window::GetText() {
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

BOOL Window::Redraw(BOOL erase) {
    return Invalidate(nullptr, erase);
}

BOOL Window::Invalidate(const RECT* rect, BOOL erase) {
    return InvalidateRect(hwnd, rect, erase);
}

HWND Window::Parent() {
    return GetParent(hwnd);
}

int Window::ShowMessage(const char* message, const char* caption, UINT type) {
    return MessageBoxA(hwnd, message, caption ? caption : GetText(), type);
}

void Window::SetBackgroundBitmap(HBITMAP bitmap) {
    backgroundBitmap = bitmap;
}

LRESULT Window::SetFont(HFONT font) {
    return Send(WM_SETFONT, (WPARAM)font, TRUE);
}

BOOL Window::SetMenuBar(HMENU menu) {
    return SetMenu(hwnd, menu);
}

BOOL Window::SetBackgroundColour(COLORREF colour) {
    backgroundColour = colour;
    return Redraw(TRUE);
}

BOOL Window::Show(int showCommand) {
    return ShowWindow(hwnd, showCommand);
}

BOOL Window::Update() {
    return UpdateWindow(hwnd);
}

HWND Window::Handle() {
    return hwnd;
}

HWND Window::GetItem(int id) {
    return GetDlgItem(hwnd, id);
}

int Window::GetItemInt(int id) {
    return (int)GetDlgItemInt(hwnd, id, nullptr, TRUE);
}

int Window::GetItemText(int id, char* buffer, int size) {
    return GetDlgItemTextA(hwnd, id, buffer, size);
}

BOOL Window::SetItemInt(int id, int value) {
    return SetDlgItemInt(hwnd, id, (UINT)value, TRUE);
}

BOOL Window::SetItemText(int id, const char* itemText) {
    return SetDlgItemTextA(hwnd, id, itemText);
}
