#include "ui/frame_window.h"

FrameWindow* theFrameWindows = nullptr;

namespace {

// Appends the frame unless it is listed already.
void AppendFrame(FrameWindow* frame) {
    FrameWindow** link = &theFrameWindows;
    for (; *link; link = &(*link)->nextFrame)
        if (*link == frame)
            return; // listed twice, the list would run in a circle
    *link = frame;
}

// Unlinks the frame; true if it was in the list.
bool LeaveFrameList(FrameWindow* frame) {
    for (FrameWindow** link = &theFrameWindows; *link; link = &(*link)->nextFrame) {
        if (*link == frame) {
            *link = frame->nextFrame;
            frame->nextFrame = nullptr;
            return true;
        }
    }
    return false;
}

} // namespace

FrameWindow::FrameWindow() : nextFrame(nullptr) {}

FrameWindow::~FrameWindow() {
    // Its window outlives this part of the object: WM_DESTROY will not reach
    // OnDestroy, so leave the list here, quitting as OnDestroy would.
    if (LeaveFrameList(this) && !theFrameWindows)
        PostQuitMessage(0);
}

BOOL FrameWindow::OnCommand(HWND control, UINT id, UINT code) {
    if (id == kCloseFrameCommand) {
        Send(WM_CLOSE, 0, 0);
        return FALSE;
    }
    return CommandWindow::OnCommand(control, id, code);
}

BOOL FrameWindow::OnCreate(CREATESTRUCTA* create) {
    AppendFrame(this);
    if (!Window::OnCreate(create))
        return FALSE;
    SetBackgroundColour(GetSysColor(COLOR_APPWORKSPACE));
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE); // a new frame keeps the app alive
    return TRUE;
}

LRESULT FrameWindow::OnDestroy() {
    LeaveFrameList(this);
    if (!theFrameWindows)
        PostQuitMessage(0);
    return Window::OnDestroy();
}
