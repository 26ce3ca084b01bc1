#include "cores/win_app.h"

#include "cores/resource_ids.h"
#include "cores/win_run.h"
#include "cores/win_window.h"
#include "cores/tiling.h"

#include <string.h>

namespace {

const char kCaption[] = "Vesko Cores";

CoresRun theRun; // 2 MiB of chart series: kept off the stack

// The companion's share of the work area's width; the tools get the rest.
int CompanionWidth(RECT work) {
    int width = (work.right - work.left) * 2 / 5;
    return width < 480 ? 480 : width;
}

// Printed too, where there is a standard output: a headless run shows no box.
int ShowMessage(const char* message, int exitCode) {
    HANDLE output = StandardOutput();
    DWORD done;
    size_t length = strlen(message);
    if (output && WriteFile(output, message, DWORD(length), &done, nullptr) && length &&
        message[length - 1] != '\n')
        WriteFile(output, "\r\n", 2, &done, nullptr); // a line of its own on a terminal
    MessageBoxA(nullptr, message, kCaption, exitCode ? MB_ICONERROR : MB_ICONINFORMATION);
    return exitCode;
}

// The window on the left of the work area, with its menu, shown and polling
// (from the message loop on); false when it cannot be made. `work` is left
// with the tools' area.
bool OpenWindow(CoresWindow* window, RECT* work, int showCommand) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, work, 0);
    RECT place = SplitOffLeft(work, CompanionWidth(*work));
    if (!window->Create(WS_EX_APPWINDOW, nullptr, kCaption, WS_OVERLAPPEDWINDOW, place.left,
                        place.top, place.right - place.left, place.bottom - place.top, nullptr,
                        nullptr, nullptr))
        return false;
    window->SetMenuBar(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CORES_MENU)));
    window->Show(showCommand);
    window->Update();
    return window->StartPolling();
}

} // namespace

int RunVeskoCores(int count, char** arguments, int showCommand) {
    static char message[2048];
    int exitCode = PrepareRun(&theRun, count, arguments, message, sizeof message);
    if (message[0])
        return ShowMessage(message, exitCode);

    RECT work;
    CoresWindow window(&theRun);
    if (!OpenWindow(&window, &work, showCommand)) {
        CloseRunLog(&theRun.log);
        return ShowMessage("Vesko Cores cannot create its window or its timer; no tool was "
                           "started.",
                           2);
    }
    BeginRun(&theRun, work);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return EndRun(&theRun, window.ChartSize()); // the menu went with the window
}
