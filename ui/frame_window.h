#pragma once

#include "ui/command_window.h"

// A top-level window that keeps the application alive: the thread's message
// loop is told to quit (WM_QUIT, exit code 0) when the last frame window is
// destroyed. Command 57665 closes it; its empty background is the
// application-workspace colour.
class FrameWindow : public CommandWindow {
  public:
    FrameWindow();
    // Leaves the frame list if its window still exists, with the same quit rule.
    ~FrameWindow() override;

    // Closes the window for command 57665 (and returns 0); the dialog
    // routing for every other id.
    BOOL OnCommand(HWND control, UINT id, UINT code) override;
    // Joins the frame list and drops a waiting WM_QUIT; zero refuses.
    BOOL OnCreate(CREATESTRUCTA* create) override;
    // Leaves the frame list, posting the quit when it was the last.
    LRESULT OnDestroy() override;

    FrameWindow* nextFrame;
};

// Frame windows whose window exists or is being created.
extern FrameWindow* theFrameWindows;

const UINT kCloseFrameCommand = 57665; // 0xE141
