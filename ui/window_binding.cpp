#include "ui/window_binding.h"

HHOOK theCreationHook = nullptr;
Window* thePendingWindows = nullptr;
Window* theAttachedWindows = nullptr;

namespace {

const char kClassName[] = "Window";
const WORD kClassIcon = 32512;

bool RegisterWindowClass() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc;
    if (GetClassInfoA(instance, kClassName, &wc))
        return true;
    ZeroMemory(&wc, sizeof wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kClassIcon));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName; // no background brush: the object erases
    return RegisterClassA(&wc) != 0;
}

Window* LastWindow(Window* head) {
    while (head && head->nextWindow)
        head = head->nextWindow;
    return head;
}

// Does what WM_DESTROY would have for an object whose window is gone; false
// when it has none or it is still there.
bool ForgetIfGone(Window* object) {
    if (!object->hwnd || IsWindow(object->hwnd))
        return false;
    object->OnDestroy();
    object->Detach();
    return true;
}

} // namespace

void AppendWindow(Window** head, Window* object) {
    Window** link = head;
    for (; *link; link = &(*link)->nextWindow)
        if (*link == object)
            return; // listed twice, the list would run in a circle
    *link = object;
}

bool UnlinkWindow(Window** head, Window* object) {
    for (Window** link = head; *link; link = &(*link)->nextWindow) {
        if (*link == object) {
            *link = object->nextWindow;
            object->nextWindow = nullptr;
            return true;
        }
    }
    return false;
}

void ForgetStaleBinding(Window* object) {
    if (UnlinkWindow(&theAttachedWindows, object))
        object->previousProc = nullptr;
}

void ForgetRefusedWindow(Window* object) {
    if (!ForgetIfGone(object))
        return;
    // Windows made inside its creation (children, owned dialogs) went with it,
    // also without WM_DESTROY. Start over after each: OnDestroy may unbind more.
    for (Window* other = theAttachedWindows; other;)
        other = ForgetIfGone(other) ? theAttachedWindows : other->nextWindow;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallNextHookEx(theCreationHook, code, wParam, lParam);
    if (!thePendingWindows) {
        UnhookWindowsHookEx(theCreationHook);
        theCreationHook = nullptr;
    } else if (code == HCBT_CREATEWND) {
        Window* object = LastWindow(thePendingWindows);
        object->Attach((HWND)wParam);
        FinishCreation(object);
    }
    return result;
}

int PrepareCreation(Window* object) {
    if (!RegisterWindowClass())
        return 0;
    // A hook already set serves this object too; a second one would leak.
    if (!theCreationHook)
        theCreationHook = SetWindowsHookExA(WH_CBT, CreationHook, GetModuleHandleA(nullptr), 0);
    if (!theCreationHook)
        return 0;
    ForgetStaleBinding(object);
    AppendWindow(&thePendingWindows, object);
    return 1;
}

void FinishCreation(Window* object) {
    UnlinkWindow(&thePendingWindows, object);
    if (theCreationHook && !thePendingWindows) {
        UnhookWindowsHookEx(theCreationHook);
        theCreationHook = nullptr;
    }
}
