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
    if (output)
        WriteFile(output, message, DWORD(strlen(message)), &done, nullptr);
    MessageBoxA(nullptr, message, kCaption, exitCode ? MB_ICONERROR : MB_ICONINFORMATION);
    return exitCode;
}

} // namespace

int RunVeskoCores(int count, char** arguments, int showCommand) {
    static char message[2048];
    int exitCode = PrepareRun(&theRun, count, arguments, message, sizeof message);
    if (message[0])
        return ShowMessage(message, exitCode);

    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT companion = SplitOffLeft(&work, CompanionWidth(work));
    CoresWindow window(&theRun);
    if (!window.Create(WS_EX_APPWINDOW, nullptr, kCaption, WS_OVERLAPPEDWINDOW, companion.left,
                       companion.top, companion.right - companion.left,
                       companion.bottom - companion.top, nullptr, nullptr, nullptr)) {
        CloseRunLog(&theRun.log);
        return ShowMessage("Vesko Cores cannot create its window; no tool was started.", 2);
    }
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CORES_MENU));
    window.SetMenuBar(menu);
    window.Show(showCommand);
    window.Update();
    BeginRun(&theRun, work);
    SetTimer(window.Handle(), kPollTimer, kPollIntervalMs, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return EndRun(&theRun, window.ChartSize()); // the menu went with the window
}
