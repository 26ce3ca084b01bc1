// The worker's logic over the stand-in kernel: bursts as long as each test
// chooses, the same on every processor.
#include "app/burn_worker.h"
#include "app/main_window.h"
#include "res/resource_ids.h"
#include "stand_in_kernel.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>
#include <vector>

namespace {

// What the window saw of each title update, and the priorities while it was
// handled.
struct TitleUpdate {
    std::string text;
    DWORD priorityClass;
    int threadPriority;
};
std::vector<TitleUpdate> theTitles;

LRESULT CALLBACK RecordTitles(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT && lParam)
        theTitles.push_back({(const char*)lParam, GetPriorityClass(GetCurrentProcess()),
                             GetThreadPriority(theWorkerThread)});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The main window's own command handling moves the check mark.
void Choose(UINT command) {
    theMainWindow.OnCommand(nullptr, command, 0);
}

const std::regex kCyclesLine(R"(Vesko 23 instructions in (\d+\.\d\d) CPU CLOCKS)");
const std::regex kClockLine(R"(Vesko \d\d:[0-5]\d:([0-5]\d) at \d+\.\d MHz)");

// A real top-level window with the Settings menu, pumped on the test's own
// thread, stands in for the main window.
class BurnWorkerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordTitles;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BurnWorkerTest";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, "BurnWorkerTest", "untouched", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                               200, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(hwnd);
        HMODULE tool = ToolResources(); // the tool's own Settings menu
        SetMenu(hwnd, LoadMenuA(tool, MAKEINTRESOURCEA(SETTINGS_MENU)));
        FreeLibrary(tool);
        theMainWindow.hwnd = hwnd;
        Choose(NORMAL_PRIORITY_COMMAND);
        theTitles.clear();
        theStandIn = StandInKernel();
        theStopFlag = 0;
        SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS); // whatever a test left
        savedClass = GetPriorityClass(GetCurrentProcess());
    }

    void TearDown() override {
        theStopFlag = 1;
        if (theWorkerThread && !Run())
            TerminateThread(theWorkerThread, 1);
        CloseHandle(theWorkerThread);
        theWorkerThread = nullptr;
        theMainWindow.hwnd = nullptr;
        DestroyWindow(hwnd);
    }

    // Starts the worker (suspended until its handle is stored) unless it
    // runs, and pumps the window until it ends, setting theStopFlag once
    // `stopWhen` holds. False if it has not ended in time.
    bool Run(bool (*stopWhen)() = nullptr, DWORD timeoutMs = 30000) {
        DWORD id, start = GetTickCount();
        if (!theWorkerThread) {
            theWorkerThread = CreateThread(nullptr, 0, BurnWorker, nullptr, CREATE_SUSPENDED, &id);
            ResumeThread(theWorkerThread);
        }
        MSG msg;
        while (MsgWaitForMultipleObjects(1, &theWorkerThread, FALSE, 100, QS_ALLINPUT)) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            if (stopWhen && stopWhen())
                theStopFlag = 1;
            if (GetTickCount() - start > timeoutMs)
                return false;
        }
        return GetExitCodeThread(theWorkerThread, &exitCode);
    }

    HWND hwnd = nullptr;
    DWORD savedClass = 0;
    DWORD exitCode = STILL_ACTIVE;
};

TEST_F(BurnWorkerTest, StopFlagAlreadySetReturnsWithoutABurst) {
    theStopFlag = 1;
    ASSERT_TRUE(Run());
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(theStandIn.bursts.empty());
    EXPECT_TRUE(theTitles.empty()) << "the title untouched";
}

// Seconds 0-1 of every four show the burst's ticks per iteration, seconds 2-3
// the clock rate; a title follows every burst.
TEST_F(BurnWorkerTest, TitlesAlternateInTwoSecondPhases) {
    // Until the line has gone from cycles to clock rate and back.
    ASSERT_TRUE(Run([] {
        std::string kinds;
        for (const TitleUpdate& update : theTitles) {
            char kind = update.text.compare(0, 9, "Vesko 23 ") == 0 ? 'c' : 'k';
            if (kinds.empty() || kinds.back() != kind)
                kinds += kind;
        }
        return kinds.find("ckc") != std::string::npos;
    }));
    EXPECT_EQ(0u, exitCode);
    ASSERT_EQ(theStandIn.bursts.size(), theTitles.size());
    for (size_t i = 0; i < theTitles.size(); ++i) {
        std::smatch match;
        if (std::regex_match(theTitles[i].text, match, kClockLine)) {
            EXPECT_GE(std::stoi(match[1]) % 4, 2) << theTitles[i].text;
            continue;
        }
        ASSERT_TRUE(std::regex_match(theTitles[i].text, match, kCyclesLine)) << theTitles[i].text;
        // The worker's readings bracket the stand-in's own.
        EXPECT_GE(std::stod(match[1]), theStandIn.bursts[i].ticks * 1e-7 - 0.005)
            << theTitles[i].text;
    }
}

// Lowers; raises, shown highlighted as in an open menu, while the class is
// changed from outside; raises plainly. Each counts from the next burst.
void Act(int burst) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    item.fState = burst == 0 ? MFS_UNCHECKED : burst == 1 ? MFS_CHECKED | MFS_HILITE : MFS_CHECKED;
    SetMenuItemInfoA(GetMenu(theMainWindow.Handle()), HIGH_PRIORITY_COMMAND, FALSE, &item);
    if (burst == 1)
        SetPriorityClass(GetCurrentProcess(), BELOW_NORMAL_PRIORITY_CLASS);
}

// Short and long bursts alike: the mark is read at each burst's start, a
// change during a burst counts from the next one, and a stop during a burst
// ends the worker after that burst's title.
class BurstLengthTest : public BurnWorkerTest, public ::testing::WithParamInterface<DWORD> {};

TEST_P(BurstLengthTest, PrioritiesSwitchAtBurstBoundariesAndStopWaitsForTheBurst) {
    theStandIn.burstMs = GetParam();
    theStandIn.duringBurst = Act;
    theStandIn.stopDuringBurst = 3;
    Choose(HIGH_PRIORITY_COMMAND);
    ASSERT_TRUE(Run(nullptr, 4 * GetParam() + 30000));
    EXPECT_EQ(0u, exitCode);
    ASSERT_EQ(4u, theStandIn.bursts.size());
    EXPECT_EQ(4u, theTitles.size()) << "one title per burst, the last one's included";
    for (int i = 0; i < 4; ++i) {
        bool high = i == 0 || i == 3;
        EXPECT_EQ(high ? REALTIME_PRIORITY_CLASS : savedClass, theStandIn.bursts[i].priorityClass);
        EXPECT_EQ(high ? THREAD_PRIORITY_TIME_CRITICAL : THREAD_PRIORITY_NORMAL,
                  theStandIn.bursts[i].threadPriority);
    }
    for (const TitleUpdate& update : theTitles) {
        EXPECT_EQ(savedClass, update.priorityClass) << "title updates run at the saved class";
        EXPECT_EQ(THREAD_PRIORITY_NORMAL, update.threadPriority) << "and the saved thread priority";
    }
    EXPECT_EQ(savedClass, GetPriorityClass(GetCurrentProcess()));
}

INSTANTIATE_TEST_SUITE_P(OneMillisecondAndTwoSeconds, BurstLengthTest,
                         ::testing::Values(1u, 2000u));

TEST_F(BurnWorkerTest, WithoutAMenuTheBurstsRunAtNormalPriority) {
    DestroyMenu(GetMenu(hwnd));
    SetMenu(hwnd, nullptr);
    theStandIn.stopDuringBurst = 1;
    ASSERT_TRUE(Run());
    ASSERT_EQ(2u, theStandIn.bursts.size());
    for (const StandInBurst& burst : theStandIn.bursts)
        EXPECT_EQ(savedClass, burst.priorityClass);
}

} // namespace
