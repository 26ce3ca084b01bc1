#include "cores/win_window.h"

#include "cores/resource_ids.h"
#include "cores/win_run.h"
#include "cores/win_table.h"
#include "gfx/bitmap_helpers.h"
#include "util/file_dialogs.h"

CoresWindow theCoresWindow;

namespace {

const int kPollsPerRedraw = 8; // the table changes on every poll; once a second is enough
const SIZE kDefaultChartSize = {800, 500};

} // namespace

CoresWindow::CoresWindow()
    : chart(nullptr), chartSize({0, 0}), chartTop(0), canvas(nullptr), canvasSize({0, 0}),
      saving(false) {}

CoresWindow::~CoresWindow() {
    DeleteGdiObject(chart);
    DeleteGdiObject(canvas);
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
    if (++polls % kPollsPerRedraw != 0)
        return;
    // The chart only when figures arrived: copying it to the screen costs
    // more than all the polling.
    RECT table = theCoresWindow.ClientRect();
    table.bottom = theCoresWindow.chartTop;
    theCoresWindow.Invalidate(theCoresRun.chart.changed ? nullptr : &table, FALSE);
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
    // Drawn off screen and copied in one go: no flicker. The canvas is kept
    // from paint to paint while the size stays, the chart on it too.
    bool resized = client.right != canvasSize.cx || client.bottom != canvasSize.cy;
    if (resized) {
        DeleteGdiObject(canvas);
        canvas = CreateCompatibleBitmap(dc, client.right, client.bottom);
        canvasSize = {client.right, client.bottom};
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = SelectObject(memory, canvas);
    HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
    RECT table = client;
    if (!resized)
        table.bottom = chartTop;
    FillRect(memory, &table, GetSysColorBrush(COLOR_WINDOW));
    int top = DrawRunTable(memory, client, theCoresRun) + 8;
    SIZE size = {client.right, client.bottom - top};
    if (resized || top != chartTop || theCoresRun.chart.changed) {
        DeleteGdiObject(chart);
        chart = DrawRunChart(theCoresRun.chart, theCoresRun.nowMs, size.cx, size.cy);
        chartSize = size;
        chartTop = top;
        theCoresRun.chart.changed = false;
        if (chart)
            StretchBitmapToDC(memory, 0, top, size.cx, size.cy, chart, 0, 0, size.cx, size.cy);
    }
    RECT due; // only the part to paint goes to the screen
    GetClipBox(dc, &due);
    BitBlt(dc, due.left, due.top, due.right - due.left, due.bottom - due.top, memory, due.left,
           due.top, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    return 0;
}
