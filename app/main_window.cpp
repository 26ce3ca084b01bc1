#include "app/main_window.h"

#include "res/resource_ids.h"

MainWindow theMainWindow;

MainWindow::~MainWindow() {}

BOOL MainWindow::OnCommand(HWND control, UINT id, UINT code) {
    if (id == NORMAL_PRIORITY_COMMAND || id == HIGH_PRIORITY_COMMAND) {
        bool high = id == HIGH_PRIORITY_COMMAND;
        CheckMenuItem(GetMenu(Handle()), NORMAL_PRIORITY_COMMAND, high ? MF_UNCHECKED : MF_CHECKED);
        CheckMenuItem(GetMenu(Handle()), HIGH_PRIORITY_COMMAND, high ? MF_CHECKED : MF_UNCHECKED);
    }
    return FrameWindow::OnCommand(control, id, code);
}

RECT FitWindowToClient(RECT window, RECT client, int width, int height) {
    int dx = (width - client.right) / 2;
    int dy = (height - client.bottom) / 2;
    RECT fit = {window.left - dx, window.top - dy, window.right + dx, window.bottom + dy};
    return fit;
}
