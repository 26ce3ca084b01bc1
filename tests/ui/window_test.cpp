#include "ui/window.h"
#include "ui/window_binding.h"
#include "recording_window.h"
#include "test_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

typedef Recording<Window> TestWindow;

bool CreatePopup(Window& window, int width = 120, int height = 90) {
    return window.Create(0, nullptr, "test", WS_POPUP, 10, 10, width, height, nullptr, nullptr,
                         nullptr);
}

// A creation's title of more than one letter. Wine hands hooks the wide form.
std::string Title(const CREATESTRUCTA* create) {
    const char* name = create->lpszName;
    if (IS_INTRESOURCE(name))
        return "";
    if (name[1])
        return name;
    char narrow[64] = "";
    WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)name, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// For each WM_NCCREATE and WM_CREATE sent: the title the window is made
// with and the object bound to the window by then.
std::vector<std::pair<std::string, Window*>> theCreationMessages;
LRESULT CALLBACK WatchBinding(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = (const CWPSTRUCT*)lParam;
    if (sent->message == WM_NCCREATE || sent->message == WM_CREATE) {
        Window* bound = theAttachedWindows;
        while (bound && bound->hwnd != sent->hwnd)
            bound = bound->nextWindow;
        theCreationMessages.push_back({Title((const CREATESTRUCTA*)sent->lParam), bound});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The objects that the creation messages of windows with these titles found.
std::vector<Window*> BoundAtCreation(const std::string& title) {
    std::vector<Window*> found;
    for (const auto& message : theCreationMessages)
        if (message.first == title)
            found.push_back(message.second);
    return found;
}

TEST(WindowBinding, BoundBeforeTheFirstMessageAndForwardedToDefWindowProc) {
    TestWindow window;
    theCreationMessages.clear();
    HHOOK watch = SetWindowsHookExA(WH_CALLWNDPROC, WatchBinding, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(CreatePopup(window));
    UnhookWindowsHookEx(watch);
    EXPECT_EQ(std::vector<Window*>(2, &window), BoundAtCreation("test"));
    EXPECT_TRUE(window.boundAtCreate);
    EXPECT_EQ(nullptr, window.previousProc);
    EXPECT_EQ((LONG_PTR)WindowProc, GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC));
    EXPECT_TRUE(InList(theAttachedWindows, &window));
    ExpectListsWhole();
    // The create default gave it the window colour.
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), window.backgroundColour);

    HWND old = window.Handle();
    ASSERT_TRUE(CreatePopup(window)); // destroys the old window first
    EXPECT_FALSE(IsWindow(old));
    EXPECT_TRUE(window.Destroy());
    ExpectUnbound(window);
    EXPECT_FALSE(window.Destroy());
}

// Makes `inner` while its own window is being made: a child at WM_NCCREATE
// (from its class's procedure, under ours) or in OnCreate, or an owned modal
// or modeless dialog opened from OnCreate. It may refuse its own creation.
enum NestAt { kNcCreate, kCreate, kModal, kModeless };
class NestingWindow : public TestWindow {
  public:
    NestAt at = kCreate;
    bool refuse = false;
    ClickingDialog inner;
    int made = 0;
    void Nest() {
        const char* dialog = MAKEINTRESOURCEA(BUTTONS_DIALOG);
        inner.clickId = at == kModal ? IDYES : 0;
        made = at == kModal      ? inner.DoModal(dialog, hwnd)
               : at == kModeless ? inner.CreateModeless(dialog, hwnd)
                                 : inner.Create(0, nullptr, "inner", WS_CHILD, 1, 2, 9, 8, hwnd,
                                                nullptr, nullptr);
    }
    BOOL OnCreate(CREATESTRUCTA* create) override {
        if (at != kNcCreate)
            Nest();
        return TestWindow::OnCreate(create) && !refuse;
    }
};

NestingWindow* theNester = nullptr;
LRESULT CALLBACK NestAtNcCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        theNester->Nest();
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Each window is bound to its own object from its first creation message on,
// and later messages find their own object too. The same two objects serve
// every way, each time bound again.
TEST(WindowBinding, CreationInsideCreationBindsEachWindowToItsOwnObject) {
    const char* nesting = RegisterTestClass("NestingTestWindow", NestAtNcCreate);
    NestingWindow outer;
    theNester = &outer;
    struct Way {
        NestAt at;
        bool refuse;
    };
    for (Way way : {Way{kNcCreate, false}, Way{kCreate, false}, Way{kModal, false},
                    Way{kModeless, false}, Way{kCreate, true}}) {
        SCOPED_TRACE(Note("way", way.at, way.refuse));
        outer.at = way.at;
        outer.refuse = way.refuse;
        outer.calls.clear();
        outer.inner.calls.clear();
        theCreationMessages.clear();
        HHOOK watch =
            SetWindowsHookExA(WH_CALLWNDPROC, WatchBinding, nullptr, GetCurrentThreadId());
        EXPECT_EQ(!way.refuse, outer.Create(0, way.at == kNcCreate ? nesting : nullptr, "outer",
                                            WS_POPUP, 0, 0, 50, 40, nullptr, nullptr, nullptr));
        UnhookWindowsHookEx(watch);
        EXPECT_EQ(way.at == kModal ? IDYES : 1, outer.made);
        const char* innerTitle = way.at == kModal || way.at == kModeless ? "Buttons" : "inner";
        EXPECT_EQ(std::vector<Window*>(2, &outer), BoundAtCreation("outer"));
        EXPECT_EQ(std::vector<Window*>(2, &outer.inner), BoundAtCreation(innerTitle));
        EXPECT_EQ(1, std::count(outer.calls.begin(), outer.calls.end(), "create outer"));
        EXPECT_EQ(1, std::count(outer.inner.calls.begin(), outer.inner.calls.end(),
                                std::string("create ") + innerTitle));
        ExpectListsWhole();
        if (way.refuse || way.at == kModal) { // the child went with the outer, or the dialog ended
            if (way.refuse)
                ExpectUnbound(outer);
            ExpectUnbound(outer.inner);
            continue;
        }
        EXPECT_NE(outer.Handle(), outer.inner.Handle());
        outer.Send(WM_COMMAND, MAKEWPARAM(0x4321, 0x300), 0);
        outer.inner.Send(WM_COMMAND, MAKEWPARAM(0x1234, 0x200), 0);
        EXPECT_EQ(Note("command", 0, 0x4321, 0x300), outer.calls.back());
        EXPECT_EQ(Note("command", 0, 0x1234, 0x200), outer.inner.calls.back());
    }
}

TEST(WindowBinding, RecreationKeepsTheListsWhole) {
    TestWindow a, b, c;
    ASSERT_TRUE(CreatePopup(a));
    ASSERT_TRUE(CreatePopup(b));
    EXPECT_TRUE(a.Destroy());
    ExpectUnbound(a);
    ASSERT_TRUE(CreatePopup(c));
    ASSERT_TRUE(CreatePopup(a));
    for (Window* w : {(Window*)&a, (Window*)&b, (Window*)&c})
        EXPECT_TRUE(InList(theAttachedWindows, w));
    ExpectListsWhole();
    // Each window's messages reach its own object.
    c.Send(WM_LBUTTONDOWN, MK_SHIFT, MAKELPARAM(3, 4));
    EXPECT_EQ(Note("left down", 3, 4, MK_SHIFT), c.calls.back());
    EXPECT_EQ("create test", a.calls.back());
}

TEST(WindowBinding, PrepareCreationInstallsOneHook) {
    Window a, b;
    ASSERT_EQ(1, PrepareCreation(&a));
    HHOOK first = theCreationHook;
    ASSERT_EQ(1, PrepareCreation(&b));
    ASSERT_EQ(1, PrepareCreation(&a)); // queued once, not twice
    EXPECT_EQ(first, theCreationHook);
    // Message-only: no top-level window for which the system adds its own (IME).
    HWND made =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 9, 9, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_EQ(made, b.Handle()) << "the last one queued is bound first";
    EXPECT_EQ(first, theCreationHook) << "a is still pending";
    FinishCreation(&a);
    ExpectListsWhole();
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
        ExpectUnbound(window);

        // Attached, created, attached again: no trace of the binding before.
        ASSERT_TRUE(CreatePopup(window));
        EXPECT_TRUE(window.boundAtCreate);
        EXPECT_TRUE(window.Destroy());
        ExpectUnbound(window);

        // Someone else subclasses over ours: Detach leaves their procedure.
        ASSERT_TRUE(window.Attach(button));
        EXPECT_EQ((WNDPROC)buttonProc, window.previousProc);
        SetWindowLongPtrA(button, GWLP_WNDPROC, (LONG_PTR)DefWindowProcA);
        window.Detach();
        ExpectUnbound(window);
        EXPECT_EQ((LONG_PTR)DefWindowProcA, GetWindowLongPtrA(button, GWLP_WNDPROC));
        EXPECT_FALSE(window.Attach(nullptr));
    }
    EXPECT_TRUE(IsWindow(button)) << "a detached window outlives the object";
    DestroyWindow(button);
}

// Answers that follow the handler's result; the PassingOn table has the others.
TEST(WindowProc, MessageResults) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window));
    HDC screen = GetDC(nullptr);
    window.eraseResult = 1;
    EXPECT_EQ(-1, window.Send(WM_ERASEBKGND, (WPARAM)screen, 0));
    ReleaseDC(nullptr, screen);
    window.commandResult = FALSE;
    EXPECT_EQ(-1, window.Send(WM_COMMAND, MAKEWPARAM(40, 0x0600), 0));
    EXPECT_EQ(Note("command", 0, 40, 0x0600), window.calls.back());
}

TEST(WindowProc, WindowTextIsKeptWithinItsField) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window));
    std::string longTitle(300, 'q');
    longTitle[254] = 'E';
    EXPECT_TRUE(window.SetText(longTitle.c_str()));
    EXPECT_EQ(255u, strlen(window.text));
    EXPECT_EQ('E', window.text[254]);
    EXPECT_EQ(nullptr, window.nextWindow) << "nothing written past the field (32-bit layout)";
    char title[400];
    GetWindowTextA(window.Handle(), title, sizeof title);
    EXPECT_EQ(longTitle, title) << "the window itself keeps the whole text";
    window.Send(WM_SETTEXT, 0, 0);
    EXPECT_STREQ("", window.text);
    EXPECT_EQ(0, GetWindowTextLengthA(window.Handle())) << "forwarded too";
}

TEST(WindowProc, UnknownWindowsGetTheDefaultProcedure) {
    HWND plain = CreateWindowExA(0, "Window", "unbound", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(plain) << "class registered by an earlier creation";
    EXPECT_EQ(0, SendMessageA(plain, WM_ERASEBKGND, 0, 0)) << "not -1: no object behind it";
    DestroyWindow(plain);
}

// Whether the window has something to update, bounded by `want`.
bool UpdateIs(Window& window, RECT want) {
    RECT update;
    return GetUpdateRect(window.Handle(), &update, FALSE) && EqualRect(&want, &update);
}

TEST(Window, RedrawInvalidatesTheWholeClientArea) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window, 130, 70));
    window.Show(SW_SHOWNOACTIVATE);
    EXPECT_EQ(std::make_tuple(130, 130, 70),
              std::make_tuple(window.ClientWidth(), window.WindowWidth(), window.WindowHeight()));
    ValidateRect(window.Handle(), nullptr);
    EXPECT_TRUE(window.Redraw(FALSE));
    EXPECT_TRUE(UpdateIs(window, window.ClientRect()));
    // A rectangle given: only that part.
    ValidateRect(window.Handle(), nullptr);
    const RECT part = {3, 5, 17, 11};
    EXPECT_TRUE(window.Invalidate(&part, FALSE));
    EXPECT_TRUE(UpdateIs(window, part));
    // The class repaints all of it after a resize either way, not only what
    // a taller window uncovers (nothing, for a narrower one).
    for (SIZE size : {SIZE{130, 90}, SIZE{100, 90}}) {
        ValidateRect(window.Handle(), nullptr);
        SetWindowPos(window.Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        EXPECT_TRUE(UpdateIs(window, window.ClientRect())) << size.cx;
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
        EXPECT_TRUE(InList(theAttachedWindows, &window));
        ExpectListsWhole();
        EXPECT_EQ(nullptr, window.previousProc);
    }
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
}

} // namespace
