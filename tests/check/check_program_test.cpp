// vesko-check as Vesko Cores meets it: a process of its own pinned to one processor,
// watched through its title and its errors file, closed with WM_CLOSE. Waits count bursts
// by the title, never seconds.
#include "check/check_title.h"
#include "check/cpu_features.h"
#include "check/error_line.h"
#include "check/win_check_run.h"
#include "check/win_check_window.h"
#include "check/win_check_worker.h"
#include "check/win_errors_file.h"
#include "../app/tool_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace {

// A burst lasts tens of milliseconds here, seconds under emulation: a bound for a failure only.
const DWORD kPatienceMs = 600000;

std::string OwnFolder() {
    char path[MAX_PATH];
    std::string folder(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

class CheckProgramTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        process = {};
    }

    // Started suspended and pinned before its first instruction, as Vesko Cores does.
    void Start(const std::string& program, const std::string& arguments, int processor) {
        std::string line = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE,
                                   CREATE_SUSPENDED, nullptr, nullptr, &startup, &process))
            << program;
        ASSERT_TRUE(SetProcessAffinityMask(process.hProcess, DWORD_PTR(1) << processor));
        ResumeThread(process.hThread);
    }

    // Reads the title until `done` holds for it; false on the time-out or a title not read.
    bool WaitForTitle(const std::function<bool(const CheckTitle&)>& done) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < kPatienceMs; Sleep(5)) {
            if (!window && !(window = FindToolWindow(process.dwProcessId)))
                continue;
            char text[256] = "";
            GetWindowTextA(window, text, sizeof text);
            bool bare = strcmp(text, kCheckBareTitle) == 0; // before the first burst has ended
            if (!bare && !ParseCheckTitle(text, &title)) {
                ADD_FAILURE() << "a title not read: " << text;
                return false;
            }
            if (title.bursts && done(title))
                return true;
        }
        return false;
    }

    DWORD CloseAndWait() {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, kPatienceMs));
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    CheckTitle title = {};
};

TEST_F(CheckProgramTest, CountsRightBurstsOnTheHeaviestPathAndClosesWithZero) {
    DWORD started = GetTickCount();
    Start(BuiltProgram("vesko-check.exe"), "", 0);
    ASSERT_TRUE(WaitForTitle([](const CheckTitle& t) { return t.bursts >= 5; }));
    EXPECT_LE(title.seconds, (GetTickCount() - started) / 1000) << "its own run time";
    EXPECT_EQ(0u, title.errors);
    EXPECT_EQ(Avx2FmaAllowed(ReadCpuFeatureBits()) ? avx2Path : sse2Path, title.path);
    DWORD_PTR mask = 0, system = 0;
    GetProcessAffinityMask(process.hProcess, &mask, &system);
    EXPECT_EQ(1u, mask);
    EXPECT_EQ(0u, CloseAndWait());
}

// Dismissed as a user would; no window, exit code 2.
TEST_F(CheckProgramTest, ABadArgumentIsToldInAMessageBox) {
    Start(BuiltProgram("vesko-check.exe"), "--path avx512", 0);
    HWND box = nullptr;
    for (DWORD start = GetTickCount(); !box && GetTickCount() - start < kPatienceMs; Sleep(20))
        box = FindToolWindow(process.dwProcessId, "#32770");
    ASSERT_TRUE(box);
    EXPECT_FALSE(FindToolWindow(process.dwProcessId));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, kPatienceMs));
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(2u, code);
}

// The test-only wrong build flips one bit of the integer phase's result in the first burst
// from 5 on that runs on processor 1: seen, told in the title and the errors file, and
// the run goes on.
TEST_F(CheckProgramTest, TheWrongBuildsFlippedBitIsSeenOnceAndTheRunGoesOn) {
    DWORD_PTR mask = 0, system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &mask, &system);
    if (!(system & 2))
        GTEST_SKIP() << "no processor 1 here";
    const std::string errors = OwnFolder() + "check_program_errors.txt";
    DeleteFileA(errors.c_str());
    Start(OwnFolder() + "vesko-check-wrong.exe", "--errors \"" + errors + "\"", 1);
    // Bounded by bursts: one that never errs fails after 20, not after the patience.
    ASSERT_TRUE(WaitForTitle([](const CheckTitle& t) { return t.errors > 0 || t.bursts >= 20; }));
    ASSERT_EQ(1u, title.errors);
    EXPECT_EQ(5u, title.errorBurst) << "pinned there from its first instruction";

    std::ifstream file(errors, std::ios::binary); // written before the title showed it
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    CheckResult wrong = {};
    ASSERT_TRUE(ParseLatestErrorLine(text.data(), int(text.size()), &wrong)) << text;
    EXPECT_EQ(text.find('\n'), text.size() - 1) << "one line: " << text;
    EXPECT_EQ(title.errorBurst, wrong.burst);
    EXPECT_EQ(integerPhase, wrong.phase);
    EXPECT_EQ(uint64_t(1) << 17, wrong.expected ^ wrong.got) << text;

    const uint64_t seen = title.bursts;
    ASSERT_TRUE(WaitForTitle([seen](const CheckTitle& t) { return t.bursts >= seen + 5; }));
    EXPECT_EQ(1u, title.errors) << "one burst wrong, the others right";
    EXPECT_EQ(0u, CloseAndWait());
}

// A wrong result's line is written whole and told as written; a write that fails is told.
TEST(ErrorsFile, ALineIsAppendedWholeAndAFailedWriteIsTold) {
    const std::string path = OwnFolder() + "errors_file_test.txt";
    DeleteFileA(path.c_str());
    HANDLE file = OpenErrorsFile(path.c_str());
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    const CheckResult wrong = {false, memoryPhase, 12, 1, 3};
    EXPECT_EQ(0u, AppendErrorLine(file, wrong));
    EXPECT_EQ(0u, AppendErrorLine(file, wrong));
    CloseHandle(file);
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string line = "12,memory,0x0000000000000001,0x0000000000000003\r\n";
    EXPECT_EQ(line + line, text);
    HANDLE readOnly = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(0u, AppendErrorLine(readOnly, wrong));
    CloseHandle(readOnly);
    DeleteFileA(path.c_str());
}

// The window's status lines, each drawn on a line of its own; the device context as it was.
TEST(CheckWindow, DrawsEachStatusLine) {
    CheckRun run = {};
    InitializeCriticalSection(&run.lock);
    run.status.errorsPath = "";
    CheckWindow window(&run);
    ASSERT_TRUE(window.Create(0, nullptr, "check window test", WS_OVERLAPPEDWINDOW, 0, 0, 600, 200,
                              nullptr, nullptr, nullptr));
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 600, 200);
    ReleaseDC(nullptr, screen);
    HGDIOBJ before = SelectObject(dc, bitmap), font = GetCurrentObject(dc, OBJ_FONT);
    RECT all = {0, 0, 600, 200};
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    window.OnPaint(dc, nullptr);
    EXPECT_EQ(font, GetCurrentObject(dc, OBJ_FONT));
    int lines = 0;
    for (int y = 0, inked = 0; y < 200; ++y) { // a line: rows with ink after rows without
        bool ink = false;
        for (int x = 0; x < 600 && !ink; ++x)
            ink = GetPixel(dc, x, y) != RGB(255, 255, 255);
        lines += ink && !inked;
        inked = ink;
    }
    EXPECT_EQ(kStatusLineCount, lines);
    SelectObject(dc, before);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DestroyWindow(window.Handle());
    DeleteCriticalSection(&run.lock);
}

// In this process: after each burst the worker titles the window and asks for its lines' repaint.
TEST(CheckWorker, TitlesTheWindowAndAsksForARepaintAfterEachBurst) {
    CheckRun run = {};
    InitializeCriticalSection(&run.lock);
    run.errorsFile = INVALID_HANDLE_VALUE;
    run.status.errorsPath = "";
    CheckWindow window(&run);
    ASSERT_TRUE(window.Create(0, nullptr, "check worker test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                              0, 600, 200, nullptr, nullptr, nullptr));
    run.window = window.Handle();
    UpdateWindow(run.window); // painted: nothing left to repaint
    HANDLE worker = CreateThread(nullptr, 0, CheckWorker, &run, 0, nullptr);
    CheckTitle title = {};
    MSG message;
    for (DWORD start = GetTickCount(); title.bursts < 2 && GetTickCount() - start < kPatienceMs;) {
        // Answers the worker's sent messages only; the paint stays pending.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_SENDMESSAGE);
        PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE);
        char text[256] = "";
        GetWindowTextA(run.window, text, sizeof text);
        ParseCheckTitle(text, &title);
    }
    run.stop = 1;
    while (MsgWaitForMultipleObjects(1, &worker, FALSE, kPatienceMs, QS_SENDMESSAGE) !=
           WAIT_OBJECT_0)
        PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE);
    CloseHandle(worker);
    EXPECT_GE(title.bursts, 2);
    RECT dirty;
    EXPECT_TRUE(GetUpdateRect(run.window, &dirty, FALSE)) << "the status lines' repaint asked for";
    DestroyWindow(run.window);
    DeleteCriticalSection(&run.lock);
}

} // namespace
