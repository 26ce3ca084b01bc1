#pragma once

#include "ui/frame_window.h"

struct CheckRun;

// vesko-check's window: the run's status in a few lines of text; its title is the worker's.
// Closing it ends the program (exit code 0), as the tool's does.
class CheckWindow : public FrameWindow {
  public:
    explicit CheckWindow(CheckRun* run); // not owned
    ~CheckWindow() override;

    // Zero: the status lines drawn over the erased background.
    LRESULT OnPaint(HDC dc, HRGN region) override;

    CheckRun* run;
};

// The client area that holds the status lines, in pixels.
const int kCheckClientWidth = 560;
const int kCheckClientHeight = 84;
