#pragma once

#include "ui/frame_window.h"

// Vesko Cores' window: the run's table with its chart below, painted from the
// run as it goes, and a File menu to save the chart. Closing it ends the run.
class CoresWindow : public FrameWindow {
  public:
    CoresWindow();
    ~CoresWindow() override;

    // Ends the run (closing every tool, writing --chart at the chart's size),
    // then destroys the window; Destroy's result.
    LRESULT OnClose() override;
    // "Save Chart..." asks for a file and writes the chart; then the frame's
    // handling and its result.
    BOOL OnCommand(HWND control, UINT id, UINT code) override;
    // Nonzero: the whole client area is painted in OnPaint, without flicker.
    LRESULT OnEraseBackground(HDC dc) override;
    // Zero: painted.
    LRESULT OnPaint(HDC dc, HRGN region) override;

    // The chart's size as last shown; a default before the first paint.
    SIZE ChartSize() const;

    HBITMAP chart; // owned: the chart as drawn at chartSize, below chartTop
    SIZE chartSize;
    int chartTop;
    HBITMAP canvas; // owned: the whole client area, drawn off screen
    SIZE canvasSize;
    bool saving; // the save dialog is open: the run must not end under it
};

extern CoresWindow theCoresWindow;

// Polls the run (a timer procedure); ends it by closing the window when its
// time is up or no tool is left.
void CALLBACK PollTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

const UINT_PTR kPollTimer = 1;
const UINT kPollIntervalMs = 125; // titles are read 8 times a second
