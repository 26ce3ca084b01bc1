// The tool's entry: the main window with its picture and menu, the worker
// thread, the message loop and the shutdown.
#include "app/burn_worker.h"
#include "app/main_window.h"
#include "app/status_lines.h"
#include "gfx/bitmap_helpers.h"
#include "res/resource_ids.h"

namespace {

// Runs until WM_QUIT, which still goes through TranslateMessage and
// DispatchMessageA; its wParam.
WPARAM RunMessageLoop() {
    MSG msg = {};
    do {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            WaitMessage();
        }
    } while (msg.message != WM_QUIT);
    return msg.wParam;
}

// Politely first: the worker stops after its current burst; by force after
// about a second.
void StopWorker() {
    theStopFlag = 1;
    DWORD code = 0;
    for (int round = 0; round < 10; ++round)
        if (GetExitCodeThread(theWorkerThread, &code) && code == STILL_ACTIVE)
            Sleep(100);
    if (GetExitCodeThread(theWorkerThread, &code) && code == STILL_ACTIVE)
        TerminateThread(theWorkerThread, 0xFFFFFFFF);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    HBITMAP picture = (HBITMAP)LoadImageA(instance, MAKEINTRESOURCEA(PICTURE_BITMAP), IMAGE_BITMAP,
                                          0, 0, LR_CREATEDIBSECTION);
    int width = BitmapWidth(picture);
    int height = BitmapHeight(picture);

    theMainWindow.Create(WS_EX_APPWINDOW, nullptr, kToolTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr);
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(SETTINGS_MENU));
    theMainWindow.SetMenuBar(menu);
    CheckMenuItem(menu, NORMAL_PRIORITY_COMMAND, MF_CHECKED);

    RECT fit =
        FitWindowToClient(theMainWindow.WindowRect(), theMainWindow.ClientRect(), width, height);
    MoveWindow(theMainWindow.Handle(), fit.left, fit.top, fit.right - fit.left,
               fit.bottom - fit.top, FALSE);
    theMainWindow.SetBackgroundBitmap(picture); // never deleted: lives as long as the process
    theMainWindow.Show(showCommand);
    theMainWindow.Update();

    // Suspended until the handle is stored: the worker reads it first thing.
    DWORD threadId;
    theWorkerThread = CreateThread(nullptr, 0, BurnWorker, nullptr, CREATE_SUSPENDED, &threadId);
    ResumeThread(theWorkerThread);

    WPARAM exitCode = RunMessageLoop();
    StopWorker();
    DestroyMenu(menu);
    return int(exitCode);
}
