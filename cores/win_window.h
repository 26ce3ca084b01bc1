#pragma once

#include "ui/frame_window.h"

#include <stdint.h>

struct CoresRun;

// Vesko Cores' window: a view of the run it is given, its table with the
// chart below, and a File menu to save the chart. It polls the run on a
// timer of its own; closing it ends the run.
class CoresWindow : public FrameWindow {
  public:
    explicit CoresWindow(CoresRun* run); // not owned
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

    // Polls the run every kPollIntervalMs from now on, also while a modal loop
    // (the save dialog, a message box) runs, and watches for Windows ending the
    // session; FALSE when no timer can be set.
    BOOL StartPolling();
    // Windows ends the session: the run pauses, to go on with --resume, and
    // the window goes.
    void EndForSession();
    // One look at the run; closes the window when its time is up or no tool is
    // left, and repaints the table (the chart too, when figures arrived).
    void Poll();

    // The chart's size as last shown; a default before the first paint.
    SIZE ChartSize() const;

    bool KeepCanvas(HDC dc, RECT client);
    void DrawChartBelow(HDC memory, RECT client, int top, bool resized);

    CoresRun* run;
    HBITMAP chart;         // owned: the chart as drawn at chartSize, below chartTop
    uint32_t chartVersion; // of the run's chart as drawn
    SIZE chartSize;
    int chartTop;
    HBITMAP canvas; // owned: the whole client area, drawn off screen
    SIZE canvasSize;
    bool saving; // the save dialog is open: the run must not end under it
    int polls;
    WNDPROC framework; // the window's procedure before the session watch
};

const UINT_PTR kPollTimer = 1;
const UINT kPollIntervalMs = 125; // titles are read 8 times a second
