// Shows the running tool's status line on a terminal without a desktop:
// finds the tool's window (class "Window") and prints its title, rewritten in
// place on a terminal, one line a second into a pipe or file. Ends when the
// window goes. With --close, asks the window to close (WM_CLOSE) instead;
// with --close TITLE, the top-level window of that title (any class).
#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {

HWND WaitForToolWindow(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA("Window", nullptr);
        if (window || GetTickCount() - start > timeoutMs)
            return window;
        Sleep(50);
    }
}

void Watch(HWND window) {
    bool terminal = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
    char shown[256] = "";
    DWORD lastLine = GetTickCount() - 1000;
    while (IsWindow(window)) {
        char title[256] = "";
        GetWindowTextA(window, title, sizeof title);
        if (terminal && strcmp(title, shown) != 0) {
            // Spaces wipe the rest of a longer previous line.
            int width = int(strlen(shown) > strlen(title) ? strlen(shown) : strlen(title));
            printf("\r%-*s", width, title);
            fflush(stdout);
            strcpy(shown, title);
        } else if (!terminal && GetTickCount() - lastLine >= 1000) {
            printf("%s\n", title);
            fflush(stdout);
            lastLine += 1000;
        }
        Sleep(terminal ? 20 : 50);
    }
    if (terminal)
        printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    bool close = argc > 1 && strcmp(argv[1], "--close") == 0;
    if (close && argc > 2) {
        HWND titled = FindWindowA(nullptr, argv[2]);
        return titled && PostMessageA(titled, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    HWND window = WaitForToolWindow(close ? 0 : 60000);
    if (!window) {
        fprintf(stderr, "title_watcher: no tool window\n");
        return 1;
    }
    if (close)
        return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    Watch(window);
    return 0;
}
