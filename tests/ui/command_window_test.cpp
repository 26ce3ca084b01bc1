#include "recording_window.h"
#include "test_dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandWindow, ModalDialogsEndWithTheButtonId) {
    ClickingDialog dialog;
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        dialog.clickId = id;
        EXPECT_EQ(id, dialog.DoModal(MAKEINTRESOURCEA(BUTTONS_DIALOG), nullptr));
        ExpectUnbound(dialog);
    }
}

TEST(CommandWindow, AnEditWithIdTwoEndsTheDialogOnItsFirstNotification) {
    ClickingDialog dialog;
    EXPECT_EQ(IDCANCEL, dialog.DoModal(MAKEINTRESOURCEA(EDIT_DIALOG), nullptr));
}

TEST(CommandWindow, ModelessDialogsCloseThroughEnd) {
    ClickingDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(MAKEINTRESOURCEA(BUTTONS_DIALOG), nullptr));
    HWND held = dialog.Handle();
    ASSERT_TRUE(held);
    EXPECT_NE(nullptr, dialog.previousProc) << "the dialog class's procedure is kept";
    // Codes equal to dialog ids: only the id routes.
    dialog.Send(WM_COMMAND, MAKEWPARAM(0, IDOK), 0);
    dialog.Send(WM_COMMAND, MAKEWPARAM(8, IDYES), (LPARAM)dialog.GetItem(IDOK));
    EXPECT_TRUE(IsWindow(held)) << "ids 0 and 8 reach no handler";

    SendMessageA(dialog.GetItem(IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(held));
    ExpectUnbound(dialog);
    EXPECT_TRUE(dialog.End(IDOK)) << "nothing left to close, still TRUE";
    // DoModal on an object holding a modeless dialog destroys it first.
    ASSERT_TRUE(dialog.CreateModeless(MAKEINTRESOURCEA(BUTTONS_DIALOG), nullptr));
    held = dialog.Handle();
    dialog.clickId = IDYES;
    EXPECT_EQ(IDYES, dialog.DoModal(MAKEINTRESOURCEA(BUTTONS_DIALOG), nullptr));
    EXPECT_FALSE(IsWindow(held));
    ExpectUnbound(dialog);
    EXPECT_FALSE(dialog.CreateModeless(MAKEINTRESOURCEA(999), nullptr)) << "no such dialog";
    ExpectListsWhole(); // nothing left pending for the next window
}

TEST(CommandWindow, CloseDestroysTheWindow) {
    Recording<CommandWindow> window;
    ASSERT_TRUE(
        window.Create(0, nullptr, "close me", WS_POPUP, 0, 0, 30, 30, nullptr, nullptr, nullptr));
    HWND held = window.Handle();
    window.Send(WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(held));
    ExpectUnbound(window);
}

} // namespace
