#pragma once

#include <windows.h>

// A window object: stands for at most one Windows window and receives its
// messages as calls of its virtual operations.
class Window {
  public:
    Window();
    virtual ~Window();

    // Sets the window text (SetWindowTextA); nonzero on success. Safe from
    // another thread: the text is delivered as a sent WM_SETTEXT.
    virtual BOOL SetText(const char* newText);
    // The bound window, or null while unbound.
    virtual HWND Handle();

    HWND hwnd;
    HBITMAP backgroundBitmap; // not owned
    COLORREF backgroundColour;
    char text[256];
    Window* nextWindow;
    WNDPROC previousProc;
};
