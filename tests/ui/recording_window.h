#pragma once

#include "ui/frame_window.h"
#include "ui/window_binding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdint.h>
#include <stdio.h>
#include <string>
#include <type_traits>
#include <vector>

// Registers a window class of this program over `procedure`; its name.
inline const char* RegisterTestClass(const char* name, WNDPROC procedure) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}

// "name a b c": a handler's name and its arguments in hex.
template <class... T> std::string Note(const char* name, T... values) {
    std::string note = name;
    char hex[24];
    ((snprintf(hex, sizeof hex, " %llx", (unsigned long long)(uintptr_t)values), note += hex), ...);
    return note;
}

// Records the handler calls it receives, as Notes; results are set by the test.
template <class Base> class Recording : public Base {
  public:
    std::vector<std::string> calls;
    BOOL commandResult = TRUE;
    LRESULT eraseResult = 0;
    HRGN lastRegion = nullptr;
    bool boundAtCreate = false;

    LRESULT OnActivate(UINT state, UINT minimized, HWND other) override {
        calls.push_back(Note("activate", state, minimized, other));
        return Base::OnActivate(state, minimized, other);
    }
    LRESULT OnActivateApp(WPARAM active, LPARAM threadId) override {
        calls.push_back(Note("activate app", active, threadId));
        return Base::OnActivateApp(active, threadId);
    }
    LRESULT OnClose() override {
        calls.push_back("close");
        return Base::OnClose();
    }
    // Noted with the title the window is made with.
    BOOL OnCreate(CREATESTRUCTA* create) override {
        calls.push_back(std::string("create ") + (create ? create->lpszName : "-"));
        boundAtCreate = this->hwnd && IsWindow(this->hwnd) && !this->previousProc;
        return Base::OnCreate(create);
    }
    BOOL OnCommand(HWND control, UINT id, UINT code) override {
        calls.push_back(Note("command", control, id, code));
        Base::OnCommand(control, id, code);
        return commandResult;
    }
    LRESULT OnDestroy() override {
        calls.push_back("destroy");
        return Base::OnDestroy();
    }
    LRESULT OnEraseBackground(HDC dc) override {
        calls.push_back(Note("erase", dc));
        Base::OnEraseBackground(dc);
        return eraseResult;
    }
    LRESULT OnInitDialog() override {
        calls.push_back("init dialog");
        return Base::OnInitDialog();
    }
    LRESULT OnLeftButtonDown(UINT x, UINT y, WPARAM keys) override {
        calls.push_back(Note("left down", x, y, keys));
        return Base::OnLeftButtonDown(x, y, keys);
    }
    LRESULT OnLeftButtonUp(UINT x, UINT y, WPARAM keys) override {
        calls.push_back(Note("left up", x, y, keys));
        return Base::OnLeftButtonUp(x, y, keys);
    }
    LRESULT OnRightButtonDown(UINT x, UINT y, WPARAM keys) override {
        calls.push_back(Note("right down", x, y, keys));
        return Base::OnRightButtonDown(x, y, keys);
    }
    LRESULT OnRightButtonUp(UINT x, UINT y, WPARAM keys) override {
        calls.push_back(Note("right up", x, y, keys));
        return Base::OnRightButtonUp(x, y, keys);
    }
    LRESULT OnPaint(HDC dc, HRGN region) override {
        calls.push_back(Note("paint", dc, region));
        lastRegion = region;
        return Base::OnPaint(dc, region);
    }
};

// Gets the command a click on a button with that id sends, as soon as the
// dialog is up.
class ClickingDialog : public Recording<CommandWindow> {
  public:
    int clickId = 0;
    LRESULT OnInitDialog() override {
        if (clickId)
            Post(WM_COMMAND, MAKEWPARAM(clickId, BN_DOUBLECLICKED), (LPARAM)GetItem(clickId));
        return Recording<CommandWindow>::OnInitDialog();
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

// Walks every link of the framework's lists: none runs in a circle or holds
// an object twice, every attached object holds a live window, every frame is
// attached, and nothing is pending or hooked outside a creation.
inline void ExpectListsWhole() {
    std::vector<Window*> attached, frames;
    for (Window* w = theAttachedWindows; w; w = w->nextWindow) {
        ASSERT_EQ(0, std::count(attached.begin(), attached.end(), w)) << "twice or in a circle";
        attached.push_back(w);
        EXPECT_TRUE(IsWindow(w->hwnd));
    }
    for (FrameWindow* f = theFrameWindows; f; f = f->nextFrame) {
        ASSERT_EQ(0, std::count(frames.begin(), frames.end(), f)) << "twice or in a circle";
        frames.push_back(f);
        EXPECT_EQ(1, std::count(attached.begin(), attached.end(), f));
    }
    EXPECT_EQ(nullptr, thePendingWindows);
    EXPECT_EQ(nullptr, theCreationHook);
}

// Every binding field as in a new object of the same kind, and in no list.
// The background and `text` are the user's and the last title seen: they
// outlive a binding.
template <class T> void ExpectUnbound(const T& object) {
    const T fresh;
    EXPECT_EQ(fresh.hwnd, object.hwnd);
    EXPECT_EQ(fresh.nextWindow, object.nextWindow);
    EXPECT_EQ(fresh.previousProc, object.previousProc);
    if constexpr (std::is_base_of_v<CommandWindow, T>) {
        EXPECT_EQ(fresh.modal, object.modal);
    }
    if constexpr (std::is_base_of_v<FrameWindow, T>) {
        EXPECT_EQ(fresh.nextFrame, object.nextFrame);
    }
    Window* self = const_cast<T*>(&object);
    EXPECT_FALSE(InList(theAttachedWindows, self) || InList(thePendingWindows, self));
    ExpectListsWhole();
}
