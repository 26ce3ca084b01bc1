#include "check/win_check_window.h"

#include "check/win_check_run.h"

namespace {

const int kMargin = 8;

} // namespace

CheckWindow::CheckWindow(CheckRun* run) : run(run) {}

CheckWindow::~CheckWindow() {}

LRESULT CheckWindow::OnPaint(HDC dc, HRGN) {
    char lines[kStatusLineCount][kStatusLineSize];
    StatusLines(ReadStatus(run), lines);
    HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT line = {kMargin, kMargin, ClientWidth() - kMargin, 0};
    for (int i = 0; i < kStatusLineCount; ++i, line.top = line.bottom) {
        line.bottom = line.top + metrics.tmHeight + metrics.tmExternalLeading;
        DrawTextA(dc, lines[i], -1, &line, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SelectObject(dc, font);
    return 0;
}
