#include "cores/win_window.h"

#include "cores/resource_ids.h"
#include "cores/win_run.h"
#include "cores/win_table.h"
#include "gfx/bitmap_helpers.h"
#include "util/file_dialogs.h"

namespace {

const int kPollsPerRedraw = 8; // the table changes on every poll; once a second is enough
const SIZE kDefaultChartSize = {800, 500};

} // namespace

CoresWindow::CoresWindow(CoresRun* run)
    : run(run), chart(nullptr), chartVersion(0), chartSize({0, 0}), chartTop(0), canvas(nullptr),
      canvasSize({0, 0}), saving(false), polls(0), framework(nullptr) {}

CoresWindow::~CoresWindow() {
    DeleteGdiObject(chart);
    DeleteGdiObject(canvas);
}

SIZE CoresWindow::ChartSize() const {
    return chartSize.cx > 0 && chartSize.cy > 0 ? chartSize : kDefaultChartSize;
}

// DispatchMessageA calls a timer's own procedure in place of the window's,
// in every message loop; the window keeps its object in its user data.
void CALLBACK PollTimer(HWND hwnd, UINT, UINT_PTR, DWORD) {
    if (CoresWindow* window = (CoresWindow*)GetWindowLongPtrA(hwnd, GWLP_USERDATA))
        window->Poll();
}

// WM_ENDSESSION reaches no handler of the window family: a procedure of its
// own in front of the framework's sees it first.
LRESULT CALLBACK WatchSession(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CoresWindow* window = (CoresWindow*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    if (message == WM_ENDSESSION && wParam) { // the session ends: no WM_CLOSE will come
        window->EndForSession();
        return 0;
    }
    return CallWindowProcA(window->framework, hwnd, message, wParam, lParam);
}

BOOL CoresWindow::StartPolling() {
    SetWindowLongPtrA(Handle(), GWLP_USERDATA, (LONG_PTR)this);
    framework = (WNDPROC)SetWindowLongPtrA(Handle(), GWLP_WNDPROC, (LONG_PTR)WatchSession);
    return SetTimer(Handle(), kPollTimer, kPollIntervalMs, PollTimer) != 0;
}

void CoresWindow::EndForSession() {
    KillTimer(Handle(), kPollTimer);
    PauseRun(run);
    Destroy();
}

void CoresWindow::Poll() {
    if (PollRun(run) && !saving) {
        Send(WM_CLOSE, 0, 0);
        return;
    }
    if (++polls % kPollsPerRedraw != 0)
        return;
    // The chart only when figures arrived: copying it to the screen costs
    // more than all the polling.
    RECT table = ClientRect();
    table.bottom = chartTop;
    Invalidate(run->chart.version != chartVersion ? nullptr : &table, FALSE);
}

LRESULT CoresWindow::OnClose() {
    KillTimer(Handle(), kPollTimer);
    SetText("Vesko Cores - closing the tools");
    EndRun(run, ChartSize());
    return Destroy();
}

BOOL CoresWindow::OnCommand(HWND control, UINT id, UINT code) {
    if (id == SAVE_CHART_COMMAND) {
        saving = true;
        const char* path =
            ChooseSaveFile(Handle(), "Bitmap pictures (*.bmp)\0*.bmp\0", "bmp", nullptr);
        char error[MAX_PATH + 80];
        if (path &&
            !SaveRunChart(run->chart, run->clock.nowMs, ChartSize(), path, error, sizeof error))
            ShowMessage(error, "Vesko Cores", MB_ICONERROR);
        saving = false;
    }
    return FrameWindow::OnCommand(control, id, code);
}

LRESULT CoresWindow::OnEraseBackground(HDC) {
    return 1;
}

// The canvas for a client area of that size, kept while the size stays;
// true when it is new.
bool CoresWindow::KeepCanvas(HDC dc, RECT client) {
    if (client.right == canvasSize.cx && client.bottom == canvasSize.cy)
        return false;
    DeleteGdiObject(canvas);
    canvas = CreateCompatibleBitmap(dc, client.right, client.bottom);
    canvasSize = {client.right, client.bottom};
    return true;
}

// The chart below the table, drawn again only when the run's chart, the
// table's height or the size changed.
void CoresWindow::DrawChartBelow(HDC memory, RECT client, int top, bool resized) {
    SIZE size = {client.right, client.bottom - top};
    if (!resized && top == chartTop && run->chart.version == chartVersion)
        return;
    DeleteGdiObject(chart);
    chart = DrawRunChart(run->chart, run->clock.nowMs, size.cx, size.cy);
    chartSize = size;
    chartTop = top;
    chartVersion = run->chart.version;
    if (chart)
        StretchBitmapToDC(memory, 0, top, size.cx, size.cy, chart, 0, 0, size.cx, size.cy);
}

LRESULT CoresWindow::OnPaint(HDC dc, HRGN) {
    RECT client = ClientRect();
    // Drawn off screen and copied in one go: no flicker.
    bool resized = KeepCanvas(dc, client);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = SelectObject(memory, canvas);
    HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
    RECT table = client;
    if (!resized)
        table.bottom = chartTop;
    FillRect(memory, &table, GetSysColorBrush(COLOR_WINDOW));
    DrawChartBelow(memory, client, DrawRunTable(memory, client, *run) + 8, resized);
    RECT due; // only the part to paint goes to the screen
    GetClipBox(dc, &due);
    BitBlt(dc, due.left, due.top, due.right - due.left, due.bottom - due.top, memory, due.left,
           due.top, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    return 0;
}
