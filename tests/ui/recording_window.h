#pragma once

#include "ui/frame_window.h"
#include "ui/window_binding.h"

#include <string>
#include <vector>

// Records the handler calls it receives; results are set by the test.
template <class Base> class Recording : public Base {
  public:
    std::vector<std::string> calls;
    BOOL commandResult = TRUE;
    LRESULT eraseResult = 0;
    UINT lastX = 0, lastY = 0;
    HDC lastDc = nullptr;
    HRGN lastRegion = nullptr;
    bool boundAtCreate = false;

    BOOL OnCreate(CREATESTRUCTA* create) override {
        calls.push_back("create");
        boundAtCreate = this->hwnd && IsWindow(this->hwnd) && !this->previousProc;
        return Base::OnCreate(create);
    }
    BOOL OnCommand(HWND control, UINT id, UINT code) override {
        calls.push_back("command " + std::to_string(id));
        Base::OnCommand(control, id, code);
        return commandResult;
    }
    LRESULT OnEraseBackground(HDC dc) override {
        calls.push_back("erase");
        Base::OnEraseBackground(dc);
        return eraseResult;
    }
    LRESULT OnLeftButtonDown(UINT x, UINT y, WPARAM keys) override {
        calls.push_back("left down");
        lastX = x, lastY = y;
        return Base::OnLeftButtonDown(x, y, keys);
    }
    LRESULT OnLeftButtonUp(UINT x, UINT y, WPARAM keys) override {
        lastX = x, lastY = y;
        return Base::OnLeftButtonUp(x, y, keys);
    }
    LRESULT OnRightButtonDown(UINT x, UINT y, WPARAM keys) override {
        lastX = x, lastY = y;
        return Base::OnRightButtonDown(x, y, keys);
    }
    LRESULT OnRightButtonUp(UINT x, UINT y, WPARAM keys) override {
        lastX = x, lastY = y;
        return Base::OnRightButtonUp(x, y, keys);
    }
    LRESULT OnPaint(HDC dc, HRGN region) override {
        calls.push_back("paint");
        lastDc = dc, lastRegion = region;
        return Base::OnPaint(dc, region);
    }
};

// Handles every queued and sent message of this thread.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// True if a WM_QUIT waits for this thread; takes it away, with its code.
inline bool TakeQuit(WPARAM* code = nullptr) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    if (code)
        *code = msg.wParam;
    return true;
}

// Whether an object is in a list linked through nextWindow.
inline bool InList(Window* head, Window* object) {
    for (int guard = 0; head && guard < 1000; head = head->nextWindow, ++guard)
        if (head == object)
            return true;
    return false;
}
