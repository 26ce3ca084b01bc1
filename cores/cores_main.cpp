// Vesko Cores' entry: reads the command line, opens the log, shows the
// window beside the tools it starts, polls them until the run ends.
#include "cores/cores_run.h"
#include "cores/cores_window.h"
#include "cores/tiling.h"

#include <stdlib.h>
#include <string.h>

namespace {

const char kCaption[] = "Vesko Cores";

// The companion's share of the work area's width; the tools get the rest.
int CompanionWidth(RECT work) {
    int width = (work.right - work.left) * 2 / 5;
    return width < 480 ? 480 : width;
}

int ShowMessage(const char* message, int exitCode) {
    RunLog console = {};
    console.echo = StandardOutput();
    EchoLine(&console, message);
    MessageBoxA(nullptr, message, kCaption, exitCode ? MB_ICONERROR : MB_ICONINFORMATION);
    return exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    static char message[2048];
    int exitCode = PrepareRun(&theCoresRun, __argc - 1, __argv + 1, message, sizeof message);
    if (message[0])
        return ShowMessage(message, exitCode);

    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT companion = SplitOffLeft(&work, CompanionWidth(work));
    theCoresWindow.Create(WS_EX_APPWINDOW, nullptr, kCaption, WS_OVERLAPPEDWINDOW, companion.left,
                          companion.top, companion.right - companion.left,
                          companion.bottom - companion.top, nullptr, nullptr, nullptr);
    theCoresWindow.Show(showCommand);
    theCoresWindow.Update();
    BeginRun(&theCoresRun, work);
    SetTimer(theCoresWindow.Handle(), kPollTimer, kPollIntervalMs, PollTimer);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return EndRun(&theCoresRun);
}
