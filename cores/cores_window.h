#pragma once

#include "ui/frame_window.h"

// Vesko Cores' window: the run's table, painted from the run as it goes.
// Closing it ends the run.
class CoresWindow : public FrameWindow {
  public:
    ~CoresWindow() override;

    // Ends the run (closing every tool), then destroys the window; Destroy's result.
    LRESULT OnClose() override;
    // Nonzero: the whole client area is painted in OnPaint, without flicker.
    LRESULT OnEraseBackground(HDC dc) override;
    // Zero: painted.
    LRESULT OnPaint(HDC dc, HRGN region) override;
};

extern CoresWindow theCoresWindow;

// Polls the run (a timer procedure); ends it by closing the window when its time is up.
void CALLBACK PollTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

const UINT_PTR kPollTimer = 1;
const UINT kPollIntervalMs = 125; // titles are read 8 times a second
