// vesko-check's entry: the command line, the errors file, the window, the worker thread,
// the message loop and the shutdown.
#include "check/check_options.h"
#include "check/check_title.h"
#include "check/cpu_features.h"
#include "check/win_check_run.h"
#include "check/win_check_window.h"
#include "check/win_check_worker.h"
#include "check/win_errors_file.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

namespace {

const int kBadCommandLine = 2;

CheckRun theRun;

int Refuse(const char* message) {
    MessageBoxA(nullptr, message, kCheckBareTitle, MB_ICONERROR);
    return kBadCommandLine;
}

// The window sized to its status lines, shown; false when it cannot be made.
bool OpenWindow(CheckWindow* window, int showCommand) {
    RECT frame = {0, 0, kCheckClientWidth, kCheckClientHeight};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
    if (!window->Create(WS_EX_APPWINDOW, nullptr, kCheckBareTitle, WS_OVERLAPPEDWINDOW,
                        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, nullptr))
        return false;
    window->SetBackgroundColour(GetSysColor(COLOR_WINDOW));
    window->Show(showCommand);
    window->Update();
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    static char message[1200];
    CheckOptions options;
    if (!ParseCheckOptions(__argc - 1, __argv + 1, Avx2FmaAllowed(ReadCpuFeatureBits()), &options,
                           message, sizeof message))
        return Refuse(message);
    theRun.errorsFile = INVALID_HANDLE_VALUE;
    if (options.errorsPath[0] &&
        (theRun.errorsFile = OpenErrorsFile(options.errorsPath)) == INVALID_HANDLE_VALUE) {
        snprintf(message, sizeof message, "The errors file %s cannot be opened: error %lu.",
                 options.errorsPath, GetLastError());
        return Refuse(message);
    }
    InitializeCriticalSection(&theRun.lock);
    theRun.status.path = options.path;
    theRun.status.errorsPath = options.errorsPath;

    CheckWindow window(&theRun);
    if (!OpenWindow(&window, showCommand))
        return Refuse("vesko-check cannot create its window.");
    theRun.window = window.Handle();
    DWORD threadId;
    HANDLE worker = CreateThread(nullptr, 0, CheckWorker, &theRun, 0, &threadId);
    if (!worker)
        return Refuse("vesko-check cannot start its worker thread.");

    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The window is gone: the worker's last title goes nowhere, and its burst is short.
    theRun.stop = 1;
    WaitForSingleObject(worker, INFINITE);
    CloseHandle(worker);
    if (theRun.errorsFile != INVALID_HANDLE_VALUE)
        CloseHandle(theRun.errorsFile);
    DeleteCriticalSection(&theRun.lock);
    return int(msg.wParam);
}
