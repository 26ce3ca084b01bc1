// Window's thin wrappers of the window API: dialog items, the parent, the
// message box, binding by Attach.
#include "recording_window.h"

#include <gtest/gtest.h>

namespace {

bool CreatePopup(Window& window) {
    return window.Create(0, nullptr, "wrapped", WS_POPUP, 0, 0, 100, 60, nullptr, nullptr, nullptr);
}

TEST(WindowWrappers, ItemsAsSignedNumbersAndTextsAndTheParent) {
    Window window, child;
    ASSERT_TRUE(CreatePopup(window));
    ASSERT_TRUE(
        child.Create(0, "EDIT", "", WS_CHILD, 0, 0, 80, 20, window.Handle(), (HMENU)10, nullptr));
    EXPECT_EQ(window.Handle(), child.Parent());
    EXPECT_EQ((LRESULT)GetStockObject(DEFAULT_GUI_FONT), child.Send(WM_GETFONT, 0, 0));
    EXPECT_EQ(child.Handle(), window.GetItem(10));
    EXPECT_TRUE(window.SetItemInt(10, -1234));
    char text[16];
    EXPECT_EQ(5, window.GetItemText(10, text, sizeof text));
    EXPECT_STREQ("-1234", text);
    EXPECT_EQ(2, window.GetItemText(10, text, 3)) << "cut to the buffer";
    EXPECT_STREQ("-1", text);
    EXPECT_TRUE(window.SetItemText(10, "-5678"));
    EXPECT_EQ(-5678, window.GetItemInt(10));
    EXPECT_TRUE(window.SetItemText(10, "3000000000"));
    EXPECT_EQ(0, window.GetItemInt(10)) << "too large for a signed number";
}

// Notes the message box of a thread: its caption and whether it has a Yes
// button; then answers No.
struct Box {
    DWORD thread;
    char caption[64];
    bool yes;
};

DWORD WINAPI AnswerNo(LPVOID parameter) {
    Box* box = (Box*)parameter;
    HWND found = nullptr;
    for (int tries = 0; !found && tries < 1000; ++tries, Sleep(10))
        for (HWND w = nullptr; !found && (w = FindWindowExA(nullptr, w, "#32770", nullptr));)
            if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == box->thread)
                found = w;
    GetWindowTextA(found, box->caption, sizeof box->caption);
    box->yes = GetDlgItem(found, IDYES) != nullptr;
    PostMessageA(found, WM_COMMAND, IDNO, 0);
    return 0;
}

TEST(WindowWrappers, MessageBoxesTakeTheTitleUnlessGivenACaption) {
    Window window;
    ASSERT_TRUE(CreatePopup(window));
    for (const char* caption : {(const char*)nullptr, "given"}) {
        Box box = {GetCurrentThreadId(), "", false};
        HANDLE answer = CreateThread(nullptr, 0, AnswerNo, &box, 0, nullptr);
        EXPECT_EQ(IDNO, window.ShowMessage("Sure?", caption, MB_YESNO));
        WaitForSingleObject(answer, INFINITE);
        CloseHandle(answer);
        EXPECT_STREQ(caption ? caption : "wrapped", box.caption);
        EXPECT_TRUE(box.yes) << "the type given";
    }
}

TEST(WindowWrappers, AttachTakesOurOwnClassAsItIsAndRefusesAnotherProcesssWindow) {
    Window window;
    EXPECT_FALSE(window.Attach(GetDesktopWindow())) << "not ours to subclass";
    EXPECT_EQ(nullptr, window.Handle());
    EXPECT_FALSE(InList(theAttachedWindows, &window));

    ASSERT_TRUE(CreatePopup(window)); // registers class "Window"
    window.Destroy();
    HWND plain = CreateWindowExA(0, "Window", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    Recording<Window> bound;
    ASSERT_TRUE(bound.Attach(plain));
    EXPECT_EQ(nullptr, bound.previousProc) << "already the framework's procedure";
    bound.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 9));
    EXPECT_EQ(std::vector<std::string>{Note("left down", 7, 9, MK_LBUTTON)}, bound.calls);
}

} // namespace
