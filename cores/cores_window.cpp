#include "cores/cores_window.h"

#include "cores/cores_run.h"
#include "cores/run_table.h"

CoresWindow theCoresWindow;

namespace {

const int kPollsPerRedraw = 4; // the table changes on every poll; twice a second is enough

} // namespace

CoresWindow::~CoresWindow() {}

void CALLBACK PollTimer(HWND, UINT, UINT_PTR, DWORD) {
    static int polls = 0;
    if (PollRun(&theCoresRun)) {
        theCoresWindow.Send(WM_CLOSE, 0, 0);
        return;
    }
    if (++polls % kPollsPerRedraw == 0)
        theCoresWindow.Invalidate(nullptr, FALSE);
}

LRESULT CoresWindow::OnClose() {
    KillTimer(Handle(), kPollTimer);
    SetText("Vesko Cores - closing the tools");
    EndRun(&theCoresRun);
    return Destroy();
}

LRESULT CoresWindow::OnEraseBackground(HDC) {
    return 1;
}

LRESULT CoresWindow::OnPaint(HDC dc, HRGN) {
    RECT client = ClientRect();
    // Drawn off screen and copied in one go: no flicker.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, canvas);
    HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
    FillRect(memory, &client, GetSysColorBrush(COLOR_WINDOW));
    DrawRunTable(memory, client, theCoresRun);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(canvas);
    DeleteDC(memory);
    return 0;
}
