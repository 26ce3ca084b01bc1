#include "cores/cores_window.h"

#include "cores/cores_resource_ids.h"
#include "cores/cores_run.h"
#include "cores/run_table.h"
#include "gfx/bitmap_helpers.h"
#include "util/file_dialogs.h"

CoresWindow theCoresWindow;

namespace {

const int kPollsPerRedraw = 4; // the table changes on every poll; twice a second is enough
const SIZE kDefaultChartSize = {800, 500};

} // namespace

CoresWindow::CoresWindow() : chart(nullptr), chartSize({0, 0}), saving(false) {}

CoresWindow::~CoresWindow() {
    DeleteGdiObject(chart);
}

SIZE CoresWindow::ChartSize() const {
    return chartSize.cx > 0 && chartSize.cy > 0 ? chartSize : kDefaultChartSize;
}

void CALLBACK PollTimer(HWND, UINT, UINT_PTR, DWORD) {
    static int polls = 0;
    if (PollRun(&theCoresRun) && !theCoresWindow.saving) {
        theCoresWindow.Send(WM_CLOSE, 0, 0);
        return;
    }
    if (++polls % kPollsPerRedraw == 0)
        theCoresWindow.Invalidate(nullptr, FALSE);
}

LRESULT CoresWindow::OnClose() {
    KillTimer(Handle(), kPollTimer);
    SetText("Vesko Cores - closing the tools");
    EndRun(&theCoresRun, ChartSize());
    return Destroy();
}

BOOL CoresWindow::OnCommand(HWND control, UINT id, UINT code) {
    if (id == SAVE_CHART_COMMAND) {
        saving = true;
        const char* path =
            ChooseSaveFile(Handle(), "Bitmap pictures (*.bmp)\0*.bmp\0", "bmp", nullptr);
        char error[MAX_PATH + 80];
        if (path && !SaveRunChart(theCoresRun.chart, theCoresRun.nowMs, ChartSize(), path, error,
                                  sizeof error))
            ShowMessage(error, "Vesko Cores", MB_ICONERROR);
        saving = false;
    }
    return FrameWindow::OnCommand(control, id, code);
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
    int top = DrawRunTable(memory, client, theCoresRun) + 8;
    SIZE size = {client.right, client.bottom - top};
    // Drawn again only when figures arrived or its size changed.
    if (size.cx != chartSize.cx || size.cy != chartSize.cy || theCoresRun.chart.changed) {
        DeleteGdiObject(chart);
        chart = DrawRunChart(theCoresRun.chart, theCoresRun.nowMs, size.cx, size.cy);
        chartSize = size;
        theCoresRun.chart.changed = false;
    }
    if (chart)
        StretchBitmapToDC(memory, 0, top, size.cx, size.cy, chart, 0, 0, size.cx, size.cy);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(canvas);
    DeleteDC(memory);
    return 0;
}
