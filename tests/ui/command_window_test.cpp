#include "recording_window.h"
#include "test_dialogs.h"

#include <gtest/gtest.h>

namespace {

// Gets the command a click on a button with that id sends, as soon as the
// dialog is up.
class ClickingDialog : public Recording<CommandWindow> {
  public:
    int clickId = 0;
    LRESULT OnInitDialog() override {
        if (clickId)
            Post(WM_COMMAND, MAKEWPARAM(clickId, BN_CLICKED), (LPARAM)GetItem(clickId));
        return CommandWindow::OnInitDialog();
    }
};

TEST(CommandWindow, ModalDialogsEndWithTheButtonId) {
    ClickingDialog dialog;
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        dialog.clickId = id;
        EXPECT_EQ(id, dialog.DoModal(MAKEINTRESOURCEA(BUTTONS_DIALOG), nullptr));
    }
    EXPECT_EQ(0, dialog.modal);
    EXPECT_EQ(nullptr, dialog.Handle());
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

    dialog.Send(WM_COMMAND, 0, 0);
    dialog.Send(WM_COMMAND, 8, 0);
    EXPECT_TRUE(IsWindow(held)) << "ids 0 and 8 reach no handler";

    SendMessageA(dialog.GetItem(IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(held));
    EXPECT_EQ(nullptr, dialog.Handle());
    EXPECT_TRUE(dialog.End(IDOK)) << "nothing left to close, still TRUE";

    // DoModal on an object holding a modeless dialog destroys it first.
    ASSERT_TRUE(dialog.CreateModeless(MAKEINTRESOURCEA(BUTTONS_DIALOG), nullptr));
    held = dialog.Handle();
    dialog.clickId = IDYES;
    EXPECT_EQ(IDYES, dialog.DoModal(MAKEINTRESOURCEA(BUTTONS_DIALOG), nullptr));
    EXPECT_FALSE(IsWindow(held));
}

TEST(CommandWindow, CloseDestroysTheWindow) {
    Recording<CommandWindow> window;
    ASSERT_TRUE(
        window.Create(0, nullptr, "close me", WS_POPUP, 0, 0, 30, 30, nullptr, nullptr, nullptr));
    HWND held = window.Handle();
    window.Send(WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(held));
    EXPECT_FALSE(InList(theAttachedWindows, &window));
}

} // namespace
