#include "app/main_window.h"
#include "res/resource_ids.h"
#include "tool_process.h"
#include "tests/ui/virtual_slots.h"

#include <gtest/gtest.h>

namespace {

TEST(FitWindowToClient, OnePassAboutTheOldPlace) {
    // A 792 x 627 client in a frame 8 wider and 43 taller.
    RECT window = {10, 20, 810, 690}, client = {0, 0, 792, 627};
    RECT fit = FitWindowToClient(window, client, 256, 256);
    EXPECT_EQ(10 + 268, fit.left); // dx = -268
    EXPECT_EQ(20 + 185, fit.top);  // dy = -371 / 2 = -185
    EXPECT_EQ(810 - 268, fit.right);
    EXPECT_EQ(690 - 185, fit.bottom);
    EXPECT_EQ(256, fit.right - fit.left - 8);
    EXPECT_EQ(257, fit.bottom - fit.top - 43) << "odd difference: one pixel toward the old size";

    client.right = 256;
    fit = FitWindowToClient(window, client, 256, 256);
    EXPECT_EQ(window.left, fit.left);
    EXPECT_EQ(window.right, fit.right);
}

// The application's window keeps the family's one table.
TEST(MainWindow, KeepsTheFamilysVirtualSlots) {
    ExpectSlots<MainWindow>(CommandSlots<MainWindow>());
}

UINT State(HWND hwnd, UINT id) {
    return GetMenuState(GetMenu(hwnd), id, MF_BYCOMMAND);
}

TEST(MainWindow, PriorityMarksAreExclusiveAndCommandsGoOn) {
    HMODULE resources = ToolResources();
    ASSERT_TRUE(resources);
    MainWindow window;
    ASSERT_TRUE(window.Create(0, nullptr, "Vesko", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr,
                              nullptr, nullptr));
    window.SetMenuBar(LoadMenuA(resources, MAKEINTRESOURCEA(SETTINGS_MENU)));
    // Its class: redrawn whole when resized, the program's own icon, the arrow.
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Window", &wc));
    EXPECT_EQ(UINT(CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_TRUE(wc.hIcon && wc.hIcon == LoadIconA(GetModuleHandleA(nullptr),
                                                  MAKEINTRESOURCEA(APPLICATION_ICON)));
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), wc.hCursor);
    CheckMenuItem(GetMenu(window.Handle()), NORMAL_PRIORITY_COMMAND, MF_CHECKED);
    HWND hwnd = window.Handle();

    for (UINT chosen : {HIGH_PRIORITY_COMMAND, HIGH_PRIORITY_COMMAND, NORMAL_PRIORITY_COMMAND,
                        NORMAL_PRIORITY_COMMAND, HIGH_PRIORITY_COMMAND}) {
        window.Send(WM_COMMAND, MAKEWPARAM(chosen, 1), 0); // as an accelerator sends it
        UINT other =
            chosen == HIGH_PRIORITY_COMMAND ? NORMAL_PRIORITY_COMMAND : HIGH_PRIORITY_COMMAND;
        EXPECT_EQ(UINT(MF_CHECKED), State(hwnd, chosen)) << chosen;
        EXPECT_EQ(0u, State(hwnd, other)) << chosen;
    }

    // Every command reaches the frame window's handling: 57665 closes it.
    window.Send(WM_COMMAND, 57665, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    FreeLibrary(resources);
}

} // namespace
