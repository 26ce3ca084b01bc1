#include "recording_window.h"

#include <gtest/gtest.h>

namespace {

typedef Recording<FrameWindow> TestFrame;

bool CreateFrame(Window& frame) {
    return frame.Create(0, nullptr, "frame", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr,
                        nullptr);
}

int FrameCount() {
    int count = 0;
    for (FrameWindow* frame = theFrameWindows; frame; frame = frame->nextFrame)
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
    TestFrame first, second;
    ASSERT_TRUE(CreateFrame(first));
    ASSERT_TRUE(CreateFrame(second));
    EXPECT_EQ(2, FrameCount());
    first.Destroy();
    EXPECT_FALSE(TakeQuit());
    second.Destroy();
    WPARAM code = 99;
    EXPECT_TRUE(TakeQuit(&code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(0, FrameCount());
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
    frame.Destroy();
    EXPECT_TRUE(TakeQuit());
}

TEST_F(FrameWindowTest, CloseCommandAndDialogIds) {
    FrameWindow frame;
    ASSERT_TRUE(CreateFrame(frame));
    EXPECT_EQ(-1, frame.Send(WM_COMMAND, 57665, 0));
    EXPECT_EQ(nullptr, frame.Handle());
    EXPECT_TRUE(TakeQuit());

    ASSERT_TRUE(CreateFrame(frame));
    frame.Send(WM_COMMAND, 40, 0);
    EXPECT_NE(nullptr, frame.Handle()) << "other ids are only passed on";
    frame.Send(WM_COMMAND, IDOK, 0); // End on a modeless window closes it
    EXPECT_EQ(nullptr, frame.Handle());
    EXPECT_TRUE(TakeQuit());
}

class RefusingFrame : public FrameWindow {
  public:
    BOOL OnCreate(CREATESTRUCTA* create) override {
        FrameWindow::OnCreate(create);
        return FALSE;
    }
};

TEST_F(FrameWindowTest, ARefusedFrameLeavesTheList) {
    RefusingFrame frame;
    EXPECT_FALSE(CreateFrame(frame));
    EXPECT_EQ(0, FrameCount());
    EXPECT_FALSE(InList(theAttachedWindows, &frame));
    EXPECT_TRUE(TakeQuit());
}

TEST_F(FrameWindowTest, DestroyingTheObjectFirstStillLeavesTheList) {
    Window* gone;
    {
        TestFrame frame;
        gone = &frame;
        ASSERT_TRUE(CreateFrame(frame));
    }
    EXPECT_EQ(0, FrameCount());
    EXPECT_FALSE(InList(theAttachedWindows, gone));
    EXPECT_TRUE(TakeQuit()) << "it was the last frame";
}

} // namespace
