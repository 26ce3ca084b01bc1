// Vesko Cores' entry: the command line after the program's name.
#include "cores/win_app.h"

#include <windows.h>

#include <stdlib.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    return RunVeskoCores(__argc - 1, __argv + 1, showCommand);
}
