#pragma once

#include "ui/frame_window.h"

// The application's one window: the picture, the Settings menu and the
// status line in its title.
class MainWindow : public FrameWindow {
  public:
    ~MainWindow() override;

    // Moves the priority check mark for Normal (40001) and High (40002)
    // Priority, then hands every command to the frame window's handling and
    // returns its result.
    BOOL OnCommand(HWND control, UINT id, UINT code) override;
};

// Constructed before WinMain runs; constructing it creates no window.
extern MainWindow theMainWindow;

// The window rectangle that brings a client area of `client` to width x
// height, grown or shrunk symmetrically about the window's place in one pass
// (an odd difference leaves the client one pixel off, toward its old size).
RECT FitWindowToClient(RECT window, RECT client, int width, int height);
