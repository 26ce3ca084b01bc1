#include "cores/win_app.h"

#include "cores/resource_ids.h"
#include "cores/win_run.h"
#include "cores/win_window.h"
#include "cores/tiling.h"

#include <string.h>

namespace {

const char kCaption[] = "Vesko Cores";

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
    int exitCode = PrepareRun(&theCoresRun, count, arguments, message, sizeof message);
    if (message[0])
        return ShowMessage(message, exitCode);

    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT companion = SplitOffLeft(&work, CompanionWidth(work));
    if (!theCoresWindow.Create(WS_EX_APPWINDOW, nullptr, kCaption, WS_OVERLAPPEDWINDOW,
                               companion.left, companion.top, companion.right - companion.left,
                               companion.bottom - companion.top, nullptr, nullptr, nullptr)) {
        CloseRunLog(&theCoresRun.log);
        return ShowMessage("Vesko Cores cannot create its window; no tool was started.", 2);
    }
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CORES_MENU));
    theCoresWindow.SetMenuBar(menu);
    theCoresWindow.Show(showCommand);
    theCoresWindow.Update();
    BeginRun(&theCoresRun, work);
    SetTimer(theCoresWindow.Handle(), kPollTimer, kPollIntervalMs, PollTimer);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return EndRun(&theCoresRun, theCoresWindow.ChartSize()); // the menu went with the window
}
