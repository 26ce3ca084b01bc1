#include "ui/window.h"

Window::Window()
    : hwnd(nullptr), backgroundBitmap(nullptr), backgroundColour(0), nextWindow(nullptr),
      previousProc(nullptr) {
    text[0] = '\0';
}

Window::~Window() {}

BOOL Window::SetText(const char* newText) {
    return SetWindowTextA(hwnd, newText);
}

HWND Window::Handle() {
    return hwnd;
}
