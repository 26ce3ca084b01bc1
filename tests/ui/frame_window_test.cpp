#include "recording_window.h"
#include "test_dialogs.h"

#include <gtest/gtest.h>

namespace {

typedef Recording<FrameWindow> TestFrame;

bool CreateFrame(Window& frame) {
    return frame.Create(0, nullptr, "frame", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr,
                        nullptr);
}

// Stops at 100 in a list that runs in a circle.
int FrameCount() {
    int count = 0;
    for (FrameWindow* frame = theFrameWindows; frame && count < 100; frame = frame->nextFrame)
        ++count;
    return count;
}

class FrameWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TakeQuit();
        ASSERT_EQ(nullptr, theFrameWindows);
    }
};

TEST_F(FrameWindowTest, TheLastFrameToGoPostsTheQuit) {
    { FrameWindow unused; } // never listed: its end posts no quit
    EXPECT_FALSE(TakeQuit());
    TestFrame first, second;
    ASSERT_TRUE(CreateFrame(first));
    ASSERT_TRUE(CreateFrame(second));
    first.Send(WM_CREATE, 0, 0); // a second OnCreate does not list it twice
    EXPECT_EQ(2, FrameCount());
    first.Destroy();
    ExpectUnbound(first);
    EXPECT_FALSE(TakeQuit());
    second.Destroy();
    WPARAM code = 99;
    EXPECT_TRUE(TakeQuit(&code));
    EXPECT_EQ(0u, code);
    ExpectUnbound(second);
    {
        FrameWindow last; // the object ends before its window: it quits all the same
        ASSERT_TRUE(CreateFrame(last));
    }
    code = 99;
    EXPECT_TRUE(TakeQuit(&code));
    EXPECT_EQ(0u, code);
}

TEST_F(FrameWindowTest, ANewFrameRemovesAWaitingQuit) {
    TestFrame frame;
    PostQuitMessage(0);
    ASSERT_TRUE(CreateFrame(frame));
    EXPECT_FALSE(TakeQuit());
    // Create again on the only frame: the old window's quit is taken back.
    ASSERT_TRUE(CreateFrame(frame));
    EXPECT_FALSE(TakeQuit());
    EXPECT_EQ(1, FrameCount());
    ExpectListsWhole();
    frame.Destroy();
    EXPECT_TRUE(TakeQuit());
}

TEST_F(FrameWindowTest, CloseCommandAndDialogIds) {
    FrameWindow frame;
    ASSERT_TRUE(CreateFrame(frame));
    EXPECT_EQ(-1, frame.Send(WM_COMMAND, MAKEWPARAM(57665, 1), 0));
    ExpectUnbound(frame);
    EXPECT_TRUE(TakeQuit());
    ASSERT_TRUE(CreateFrame(frame));
    frame.Send(WM_COMMAND, MAKEWPARAM(40, IDOK), 0);
    EXPECT_NE(nullptr, frame.Handle()) << "other ids are only passed on";
    frame.Send(WM_COMMAND, MAKEWPARAM(IDOK, 40), 0); // End on a modeless window closes it
    ExpectUnbound(frame);
    EXPECT_TRUE(TakeQuit());
}

class RefusingFrame : public FrameWindow {
  public:
    BOOL OnCreate(CREATESTRUCTA* create) override {
        FrameWindow::OnCreate(create);
        return FALSE;
    }
};

// Refused as a window, a modal and a modeless dialog, the same object each time.
TEST_F(FrameWindowTest, ARefusedFrameLeavesTheList) {
    RefusingFrame frame;
    const char* dialog = MAKEINTRESOURCEA(BUTTONS_DIALOG);
    for (int path = 0; path < 3; ++path) {
        SCOPED_TRACE(path);
        int made = path == 0   ? CreateFrame(frame)
                   : path == 1 ? frame.DoModal(dialog, nullptr)
                               : frame.CreateModeless(dialog, nullptr);
        EXPECT_EQ(path == 1 ? -1 : 0, made);
        ExpectUnbound(frame);
        EXPECT_TRUE(TakeQuit()) << "it was the only frame";
    }
}

TEST_F(FrameWindowTest, DestroyingTheObjectFirstStillLeavesTheList) {
    Window* gone;
    {
        TestFrame last;
        ASSERT_TRUE(CreateFrame(last));
        {
            TestFrame frame;
            gone = &frame;
            ASSERT_TRUE(CreateFrame(frame));
        }
        EXPECT_EQ(1, FrameCount());
        EXPECT_FALSE(InList(theAttachedWindows, gone));
        ExpectListsWhole();
        EXPECT_FALSE(TakeQuit()) << "another frame is left";
    }
    EXPECT_EQ(0, FrameCount());
    EXPECT_TRUE(TakeQuit()) << "it was the last frame";
}

} // namespace
