#include "app/burn_worker.h"
#include "app/main_window.h"
#include "res/resource_ids.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>
#include <vector>

namespace {

// What the window saw of each title update, and the process's priority
// class while the update was handled.
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

const std::regex kCyclesLine(R"(Vesko 23 instructions in (\d+\.\d\d) CPU CLOCKS)");
const std::regex kClockLine(R"(Vesko \d\d:[0-5]\d:[0-5]\d at \d+\.\d MHz)");

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
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_STRING, NORMAL_PRIORITY_COMMAND, "&Normal Priority");
        AppendMenuA(popup, MF_STRING, HIGH_PRIORITY_COMMAND, "&High Priority");
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_POPUP, (UINT_PTR)popup, "&Settings");
        SetMenu(hwnd, bar);
        theMainWindow.hwnd = hwnd;
        theTitles.clear();
        theStopFlag = 0;
        savedClass = GetPriorityClass(GetCurrentProcess());
    }

    void TearDown() override {
        if (theWorkerThread) {
            theStopFlag = 1;
            PumpUntil([] { return false; }, 10000);
            CloseHandle(theWorkerThread);
            theWorkerThread = nullptr;
        }
        theMainWindow.hwnd = nullptr;
        DestroyWindow(hwnd);
        theStopFlag = 0;
    }

    void Choose(UINT command) {
        HMENU menu = GetMenu(hwnd);
        CheckMenuItem(menu, NORMAL_PRIORITY_COMMAND,
                      command == NORMAL_PRIORITY_COMMAND ? MF_CHECKED : MF_UNCHECKED);
        CheckMenuItem(menu, HIGH_PRIORITY_COMMAND,
                      command == HIGH_PRIORITY_COMMAND ? MF_CHECKED : MF_UNCHECKED);
    }

    // Started suspended so the handle is stored before the worker reads it.
    void StartWorker() {
        DWORD id;
        theWorkerThread = CreateThread(nullptr, 0, BurnWorker, nullptr, CREATE_SUSPENDED, &id);
        ASSERT_TRUE(theWorkerThread);
        ResumeThread(theWorkerThread);
    }

    // Pumps messages until `done` holds or the worker ends; samples the
    // process's priority class each round. False on time-out.
    template <class Done> bool PumpUntil(Done done, DWORD timeoutMs) {
        DWORD start = GetTickCount();
        while (!done()) {
            DWORD wait = MsgWaitForMultipleObjects(1, &theWorkerThread, FALSE, 1, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            if (GetPriorityClass(GetCurrentProcess()) == REALTIME_PRIORITY_CLASS)
                ++realtimeSamples;
            if (GetThreadPriority(theWorkerThread) == THREAD_PRIORITY_TIME_CRITICAL)
                ++timeCriticalSamples;
            if (wait == WAIT_OBJECT_0)
                return done();
            if (GetTickCount() - start > timeoutMs)
                return false;
        }
        return true;
    }

    DWORD StopWorker() {
        theStopFlag = 1;
        size_t titlesAtStop = theTitles.size();
        EXPECT_FALSE(PumpUntil([] { return false; }, 10000)) << "worker ended";
        EXPECT_LE(theTitles.size(), titlesAtStop + 1) << "at most the burst in progress";
        DWORD code = STILL_ACTIVE;
        GetExitCodeThread(theWorkerThread, &code);
        return code;
    }

    HWND hwnd = nullptr;
    DWORD savedClass = 0;
    int realtimeSamples = 0;
    int timeCriticalSamples = 0;
};

TEST_F(BurnWorkerTest, StopFlagAlreadySetReturnsWithoutABurst) {
    theStopFlag = 1;
    StartWorker();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(theWorkerThread, 5000));
    DWORD code = STILL_ACTIVE;
    GetExitCodeThread(theWorkerThread, &code);
    EXPECT_EQ(0u, code);
    PumpUntil([] { return false; }, 0);
    EXPECT_TRUE(theTitles.empty());
    char title[64];
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ("untouched", title);
}

TEST_F(BurnWorkerTest, WritesCyclesAndClockRateLinesUntilStopped) {
    Choose(NORMAL_PRIORITY_COMMAND);
    StartWorker();
    bool sawCycles = false, sawClock = false;
    ASSERT_TRUE(PumpUntil(
        [&] {
            for (const TitleUpdate& update : theTitles) {
                std::smatch match;
                if (std::regex_match(update.text, match, kCyclesLine)) {
                    double ticks = std::stod(match[1]);
                    EXPECT_GT(ticks, 1.0) << update.text;
                    EXPECT_LT(ticks, 10000.0) << update.text;
                    sawCycles = true;
                } else {
                    EXPECT_TRUE(std::regex_match(update.text, kClockLine)) << update.text;
                    sawClock = true;
                }
            }
            return sawCycles && sawClock;
        },
        15000));
    EXPECT_EQ(0u, StopWorker());
    char title[128];
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_EQ(theTitles.back().text, title);
    EXPECT_EQ(0, realtimeSamples);
}

TEST_F(BurnWorkerTest, HighPriorityRaisesTheProcessOnlyForTheBurst) {
    Choose(HIGH_PRIORITY_COMMAND);
    StartWorker();
    ASSERT_TRUE(PumpUntil([] { return theTitles.size() >= 4; }, 15000));
    EXPECT_EQ(0u, StopWorker());
    EXPECT_GT(realtimeSamples, 0) << "real-time class seen while bursts ran";
    EXPECT_GT(timeCriticalSamples, 0) << "the worker at time-critical priority too";
    for (const TitleUpdate& update : theTitles) {
        EXPECT_EQ(savedClass, update.priorityClass) << "title updates run at the saved class";
        EXPECT_EQ(THREAD_PRIORITY_NORMAL, update.threadPriority) << "and the saved thread priority";
    }
    EXPECT_EQ(savedClass, GetPriorityClass(GetCurrentProcess()));
}

TEST_F(BurnWorkerTest, WithoutAMenuTheBurstsRunAtNormalPriority) {
    DestroyMenu(GetMenu(hwnd));
    SetMenu(hwnd, nullptr);
    StartWorker();
    ASSERT_TRUE(PumpUntil([] { return theTitles.size() >= 2; }, 15000));
    EXPECT_EQ(0u, StopWorker());
    EXPECT_EQ(0, realtimeSamples);
}

} // namespace
