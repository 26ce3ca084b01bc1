#include "ui/window.h"
#include "ui/window_binding.h"
#include "recording_window.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

typedef Recording<Window> TestWindow;

bool CreatePopup(Window& window, int width = 120, int height = 90) {
    return window.Create(0, nullptr, "test", WS_POPUP, 10, 10, width, height, nullptr, nullptr,
                         nullptr);
}

bool ListsAreClear() {
    return !thePendingWindows && !theCreationHook;
}

// Notes, for each creation message sent, the window and whether its object
// was bound to it.
Window* theWatched = nullptr;
std::vector<std::pair<HWND, bool>> theCreationMessages;
LRESULT CALLBACK WatchBinding(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = (const CWPSTRUCT*)lParam;
    if (sent->message == WM_NCCREATE || sent->message == WM_CREATE)
        theCreationMessages.push_back(
            {sent->hwnd, theWatched->hwnd == sent->hwnd && InList(theAttachedWindows, theWatched)});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(WindowBinding, BoundBeforeTheFirstMessageAndForwardedToDefWindowProc) {
    TestWindow window;
    theWatched = &window;
    HHOOK watch = SetWindowsHookExA(WH_CALLWNDPROC, WatchBinding, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(CreatePopup(window));
    UnhookWindowsHookEx(watch);
    int seen = 0;
    for (const auto& message : theCreationMessages) {
        if (message.first == window.Handle()) {
            ++seen;
            EXPECT_TRUE(message.second) << "WM_NCCREATE and WM_CREATE find the object bound";
        }
    }
    EXPECT_EQ(2, seen);
    EXPECT_TRUE(window.boundAtCreate);
    EXPECT_EQ(nullptr, window.previousProc);
    EXPECT_EQ((LONG_PTR)WindowProc, GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC));
    EXPECT_TRUE(InList(theAttachedWindows, &window));
    EXPECT_TRUE(ListsAreClear());
    // The create default gave it the window colour.
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), window.backgroundColour);

    HWND old = window.Handle();
    ASSERT_TRUE(CreatePopup(window)); // destroys the old window first
    EXPECT_FALSE(IsWindow(old));
    EXPECT_TRUE(window.Destroy());
    EXPECT_EQ(nullptr, window.Handle());
    EXPECT_FALSE(InList(theAttachedWindows, &window));
    EXPECT_FALSE(window.Destroy());
}

// Creates a second window from inside its own OnCreate.
class NestingWindow : public Window {
  public:
    TestWindow inner;
    BOOL OnCreate(CREATESTRUCTA* create) override {
        innerCreated = CreatePopup(inner);
        return Window::OnCreate(create);
    }
    bool innerCreated = false;
};

TEST(WindowBinding, NestedCreationAndRecreationKeepTheListsWhole) {
    NestingWindow outer;
    ASSERT_TRUE(CreatePopup(outer));
    EXPECT_TRUE(outer.innerCreated);
    EXPECT_TRUE(outer.inner.boundAtCreate);
    EXPECT_NE(outer.Handle(), outer.inner.Handle());
    EXPECT_TRUE(ListsAreClear());

    TestWindow a, b, c;
    ASSERT_TRUE(CreatePopup(a));
    ASSERT_TRUE(CreatePopup(b));
    EXPECT_TRUE(a.Destroy());
    ASSERT_TRUE(CreatePopup(c));
    ASSERT_TRUE(CreatePopup(a));
    for (Window* w :
         {(Window*)&outer, (Window*)&outer.inner, (Window*)&a, (Window*)&b, (Window*)&c})
        EXPECT_TRUE(InList(theAttachedWindows, w));
    // Each window's messages reach its own object.
    c.Send(WM_LBUTTONDOWN, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(3u, c.lastX);
    EXPECT_EQ(0u, a.lastX);
    EXPECT_TRUE(ListsAreClear());
}

TEST(WindowBinding, PrepareCreationInstallsOneHook) {
    Window a, b;
    ASSERT_EQ(1, PrepareCreation(&a));
    HHOOK first = theCreationHook;
    ASSERT_EQ(1, PrepareCreation(&b));
    ASSERT_EQ(1, PrepareCreation(&a)); // queued once, not twice
    EXPECT_EQ(first, theCreationHook);
    FinishCreation(&b);
    EXPECT_EQ(first, theCreationHook) << "a is still pending";
    FinishCreation(&a);
    EXPECT_TRUE(ListsAreClear());
}

TEST(WindowBinding, AttachSubclassesAndDetachRestoresOnlyOurOwn) {
    HWND button = CreateWindowExA(0, "BUTTON", "old", WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 30,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(button);
    LONG_PTR buttonProc = GetWindowLongPtrA(button, GWLP_WNDPROC);
    {
        TestWindow window;
        ASSERT_TRUE(window.Attach(button));
        EXPECT_EQ((WNDPROC)buttonProc, window.previousProc);
        EXPECT_TRUE(window.SetText("new"));
        EXPECT_STREQ("new", window.text);
        EXPECT_STREQ("new", window.GetText()); // the button kept it too
        EXPECT_EQ(button, window.Detach());
        EXPECT_EQ(buttonProc, GetWindowLongPtrA(button, GWLP_WNDPROC));
        EXPECT_FALSE(InList(theAttachedWindows, &window));

        // Someone else subclasses over ours: Detach leaves their procedure.
        ASSERT_TRUE(window.Attach(button));
        SetWindowLongPtrA(button, GWLP_WNDPROC, (LONG_PTR)DefWindowProcA);
        window.Detach();
        EXPECT_EQ((LONG_PTR)DefWindowProcA, GetWindowLongPtrA(button, GWLP_WNDPROC));
        EXPECT_FALSE(window.Attach(nullptr));
    }
    EXPECT_TRUE(IsWindow(button)) << "a detached window outlives the object";
    DestroyWindow(button);
}

TEST(WindowProc, MessageResults) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window));
    HDC screen = GetDC(nullptr);
    window.eraseResult = 0;
    EXPECT_EQ(-1, window.Send(WM_ERASEBKGND, (WPARAM)screen, 0));
    window.eraseResult = 1;
    EXPECT_EQ(-1, window.Send(WM_ERASEBKGND, (WPARAM)screen, 0));

    window.commandResult = TRUE;
    EXPECT_EQ(0, window.Send(WM_COMMAND, MAKEWPARAM(40, 0), 0));
    window.commandResult = FALSE;
    EXPECT_EQ(-1, window.Send(WM_COMMAND, MAKEWPARAM(40, 0), 0));
    EXPECT_EQ("command 40", window.calls.back());

    EXPECT_EQ(0, window.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-1, -1)));
    EXPECT_EQ(65535u, window.lastX);
    EXPECT_EQ(65535u, window.lastY);

    size_t calls = window.calls.size();
    window.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(calls, window.calls.size()) << "double click reaches no handler";

    window.Send(WM_PAINT, (WPARAM)screen, 0);
    EXPECT_EQ("paint", window.calls.back());
    EXPECT_EQ(screen, window.lastDc);
    EXPECT_EQ(nullptr, window.lastRegion);
    ReleaseDC(nullptr, screen);
}

// The last mouse message the own procedure of a subclassed window received
// (a right button's release brings a WM_CONTEXTMENU after it).
UINT theLastMessage = 0;
LPARAM theLastLParam = 0;
LRESULT CALLBACK NoteMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        theLastMessage = message, theLastLParam = lParam;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(WindowProc, MouseButtonsReachTheirHandlersAndArePassedOnAsTheyCame) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = NoteMessage;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "NotingTestWindow";
    RegisterClassA(&wc);
    TestWindow window;
    ASSERT_TRUE(window.Attach(CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 8, 5,
                                              nullptr, nullptr, wc.hInstance, nullptr)));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}) {
        window.lastX = window.lastY = 0;
        window.Send(message, MK_SHIFT, MAKELPARAM(3, 40));
        EXPECT_EQ(3u, window.lastX) << message;
        EXPECT_EQ(40u, window.lastY) << message;
        EXPECT_EQ(message, theLastMessage);
        EXPECT_EQ(MAKELPARAM(3, 40), theLastLParam) << message;
    }
}

TEST(WindowProc, WindowTextIsKeptWithinItsField) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window));
    std::string longTitle(300, 'q');
    longTitle[254] = 'E';
    EXPECT_TRUE(window.SetText(longTitle.c_str()));
    EXPECT_EQ(255u, strlen(window.text));
    EXPECT_EQ('E', window.text[254]);
    char title[400];
    GetWindowTextA(window.Handle(), title, sizeof title);
    EXPECT_EQ(longTitle, title) << "the window itself keeps the whole text";

    window.Send(WM_SETTEXT, 0, 0);
    EXPECT_STREQ("", window.text);
    GetWindowTextA(window.Handle(), title, sizeof title);
    EXPECT_STREQ("", title) << "forwarded too";
}

TEST(WindowProc, UnknownWindowsGetTheDefaultProcedure) {
    HWND plain = CreateWindowExA(0, "Window", "unbound", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(plain) << "class registered by an earlier creation";
    EXPECT_EQ(0, SendMessageA(plain, WM_ERASEBKGND, 0, 0)) << "not -1: no object behind it";
    DestroyWindow(plain);
}

TEST(Window, RedrawInvalidatesTheWholeClientArea) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window, 130, 70));
    window.Show(SW_SHOWNOACTIVATE);
    ValidateRect(window.Handle(), nullptr);
    EXPECT_TRUE(window.Redraw(FALSE));
    RECT update;
    ASSERT_TRUE(GetUpdateRect(window.Handle(), &update, FALSE));
    RECT client = window.ClientRect();
    EXPECT_TRUE(EqualRect(&client, &update));
    EXPECT_EQ(130, window.ClientWidth());
    EXPECT_EQ(70, window.WindowHeight());
    EXPECT_EQ(130, window.WindowWidth());
    // The class repaints all of it after a resize either way, not only what
    // a taller window uncovers (nothing, for a narrower one).
    for (SIZE size : {SIZE{130, 90}, SIZE{100, 90}}) {
        ValidateRect(window.Handle(), nullptr);
        SetWindowPos(window.Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        ASSERT_TRUE(GetUpdateRect(window.Handle(), &update, FALSE)) << size.cx;
        client = window.ClientRect();
        EXPECT_TRUE(EqualRect(&client, &update)) << size.cx;
    }
}

// A window of another thread: DestroyWindow from here fails.
DWORD WINAPI OwnWindowElsewhere(LPVOID out) {
    HWND hwnd = CreateWindowExA(0, "STATIC", "elsewhere", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    *(HWND*)out = hwnd;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(hwnd);
    return 0;
}

TEST(Window, DestructorLeavesTheListsEvenWhenDestroyFails) {
    HWND foreign = nullptr;
    DWORD threadId;
    HANDLE thread = CreateThread(nullptr, 0, OwnWindowElsewhere, &foreign, 0, &threadId);
    while (!foreign)
        Sleep(1);
    LONG_PTR ownProc = GetWindowLongPtrA(foreign, GWLP_WNDPROC);
    Window* gone;
    {
        TestWindow window;
        gone = &window;
        ASSERT_TRUE(window.Attach(foreign)); // and dies bound to it
    }
    EXPECT_FALSE(InList(theAttachedWindows, gone));
    EXPECT_EQ(ownProc, GetWindowLongPtrA(foreign, GWLP_WNDPROC)) << "its procedure given back";
    {
        TestWindow window;
        ASSERT_TRUE(window.Attach(foreign));
        EXPECT_FALSE(window.Destroy()) << "another thread's window";
        EXPECT_TRUE(InList(theAttachedWindows, &window));
        // Bound again, it is listed once: the list stays a list.
        ASSERT_TRUE(CreatePopup(window));
        int listed = 0;
        for (Window* w = theAttachedWindows; w && listed < 100; w = w->nextWindow)
            listed += w == &window;
        EXPECT_EQ(1, listed);
        EXPECT_EQ(nullptr, window.previousProc);
    }
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
}

} // namespace
