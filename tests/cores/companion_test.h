#pragma once

// What the end-to-end tests share: Vesko Cores as its own process, its log, its tools.
#include "cores/win_run.h"
#include "cores/win_tool_process.h"
#include "cores/win_topology.h"
#include "../app/real_burst.h"
#include "../app/tool_process.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <dlgs.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using Log = std::vector<std::string>; // rows, or printed lines

// `text` holds `part`; a failure prints both.
#define EXPECT_HAS(part, text) EXPECT_PRED_FORMAT2(testing::IsSubstring, part, text)

// This program's folder, ending in a backslash.
inline std::string OwnFolder() {
    char path[MAX_PATH];
    std::string folder(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The tools that `parent` started and that still run.
inline std::vector<DWORD> Children(DWORD parent) {
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == parent && (!_stricmp(entry.szExeFile, "vesko.exe") ||
                                                    !_stricmp(entry.szExeFile, "vesko-slow.exe")))
            children.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return children;
}

// A dialog (a file dialog, a message box) that a process shows.
inline HWND WaitForDialog(DWORD processId) {
    HWND dialog = nullptr;
    for (DWORD start = GetTickCount(); !dialog && GetTickCount() - start < 30000; Sleep(50))
        dialog = FindToolWindow(processId, "#32770");
    return dialog;
}

// "Save Chart..." from the window's File menu, answered with `path` or cancelled.
inline void SaveChartAs(HWND window, DWORD processId, const std::string& path) {
    PostMessageA(window, WM_COMMAND, 40101, 0);
    HWND dialog = WaitForDialog(processId);
    ASSERT_TRUE(dialog);
    SetDlgItemTextA(dialog, GetDlgItem(dialog, cmb13) ? cmb13 : edt1, path.c_str());
    PostMessageA(dialog, WM_COMMAND, path.empty() ? IDCANCEL : IDOK, 0);
    for (DWORD start = GetTickCount(); IsWindow(dialog) && GetTickCount() - start < 30000;)
        Sleep(50);
}

// Width and height from a BMP file's header; 0 x 0 when it cannot be read.
inline std::pair<long, long> BmpSize(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    BITMAPFILEHEADER head = {};
    BITMAPINFOHEADER info = {};
    file.read((char*)&head, sizeof head).read((char*)&info, sizeof info);
    return file ? std::make_pair(long(info.biWidth), long(info.biHeight)) : std::make_pair(0L, 0L);
}

// Ends a tool as a crash would (or with `code`), and waits until it is gone.
inline void Crash(DWORD processId, UINT code = 0xC0000005) {
    HANDLE tool = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    TerminateProcess(tool, code);
    WaitForSingleObject(tool, 30000);
    CloseHandle(tool);
}

// Closes a started process's handles; the process itself goes on.
inline void ForgetProcess(PROCESS_INFORMATION* process) {
    CloseHandle(process->hThread);
    CloseHandle(process->hProcess);
    *process = {};
}

// Suspends every thread of a tool: it answers no message, as when stuck.
inline void Freeze(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == processId) {
            HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
            SuspendThread(thread);
            CloseHandle(thread);
        }
    CloseHandle(snapshot);
}

// The first processor on another core than processor 0's, where cycle mode moves to ("1" on
// machines without SMT, "2" where 0 and 1 are one core's threads); "" where there is one core.
inline const std::string& OtherCore() {
    static std::string other = [] {
        Topology t;
        DWORD_PTR mask = 0, system = 0;
        GetProcessAffinityMask(GetCurrentProcess(), &mask, &system);
        bool known = ReadTopology(&t);
        for (int p = 1; p < kMaxProcessors; ++p)
            if (system >> p & 1 && (!known || t.processors[p].core != t.processors[0].core))
                return std::to_string(p);
        return std::string();
    }();
    return other;
}

// Polls a run in this process every 125 ms until `done`; false when `budgetMs` ran out.
inline bool PollUntil(CoresRun* run, DWORD budgetMs, const std::function<bool()>& done) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < budgetMs; Sleep(125))
        if (PollRun(run), done())
            return true;
    return false;
}

inline DWORD_PTR AffinityOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    DWORD_PTR mask = 0, system = 0;
    GetProcessAffinityMask(process, &mask, &system);
    CloseHandle(process);
    return mask;
}

// One run of the companion with a log of its own; ended (or killed) at the end.
class CoresTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DWORD_PTR mask = 0, system = 0;
        GetProcessAffinityMask(GetCurrentProcess(), &mask, &system);
        if ((system & 3) != 3)
            GTEST_SKIP() << "needs processors 0 and 1";
        budgetMs = 30000 + 4 * BurstBudgetMs(); // start-up, then a few bursts with company
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        log = folder + ("vesko-cores-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv");
        DeleteFileA(log.c_str());
    }

    void TearDown() override {
        if (HasFailure())
            for (const std::string& row : Rows())
                printf("log: %s\n", row.c_str());
        if (run.hProcess) {
            for (DWORD child : Children(run.dwProcessId))
                Crash(child, 1);
            TerminateProcess(run.hProcess, 1);
            ForgetProcess(&run);
        }
        for (const char* suffix : {"", ".out", ".txt"}) // the log, what it printed, a fake tool
            DeleteFileA((log + suffix).c_str());
    }

    void Start(const std::string& options) {
        std::string line = "\"" + BuiltProgram("vesko-cores.exe") + "\" " + options;
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE}; // standard output to a file
        // Shared for writing: the 32-bit Wine may close an ended run's handle to it a little late.
        HANDLE output = CreateFileA((log + ".out").c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    &inherit, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, output) << "error " << GetLastError();
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup, startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output;
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &run));
        CloseHandle(output);
    }
    void StartLogged(const std::string& options) { Start(options + " --log \"" + log + "\""); }

    // The log's rows so far, header included, or another file's lines; none still being written.
    Log Rows(const std::string& suffix = "") {
        Log rows;
        std::ifstream file(log + suffix, std::ios::binary);
        for (std::string row; std::getline(file, row) && !file.eof();)
            rows.push_back(row.substr(0, row.size() - 1)); // without its '\r'
        return rows;
    }

    // Waits, counting rows, until `done` holds for the rows; false on time-out.
    bool WaitFor(const std::function<bool(const Log&)>& done) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < budgetMs; Sleep(50))
            if (done(Rows()))
                return true;
        return false;
    }

    // Closes the window (or a tool's) as a user would; the run's exit code.
    DWORD CloseAndWait(DWORD processId = 0) {
        PostMessageA(FindProcessWindow(processId ? processId : run.dwProcessId), WM_CLOSE, 0, 0);
        return ExitCode(30000);
    }

    // The run's exit code once it has ended, waiting up to `waitMs`; else STILL_ACTIVE.
    DWORD ExitCode(DWORD waitMs = 0) {
        WaitForSingleObject(run.hProcess, waitMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(run.hProcess, &code);
        return code;
    }

    PROCESS_INFORMATION run = {};
    std::string log;
    DWORD budgetMs = 0;
};

// Field n of a row; the first seven never hold a comma.
inline std::string Field(const std::string& row, int n) {
    size_t at = 0;
    for (int i = 0; i < n; ++i)
        at = row.find(',', at) + 1;
    return row.substr(at, row.find(',', at) - at);
}

// Whether a row is of one event for one processor ("1"), or for any ("").
inline bool IsRow(const std::string& row, const std::string& event, const std::string& processor) {
    return Field(row, 4) == event && (processor.empty() || Field(row, 2) == processor);
}

// Rows of one event for one processor, or for any; with ticks only, if asked.
inline size_t Count(const Log& rows, const std::string& event, const std::string& processor,
                    bool withTicks = false) {
    size_t n = 0;
    for (const std::string& row : rows)
        n += IsRow(row, event, processor) && (!withTicks || !Field(row, 5).empty());
    return n;
}

// Counted bursts of one processor so far, from its figures rows.
inline int Bursts(const Log& rows, const std::string& processor) {
    int bursts = 0;
    for (const std::string& row : rows)
        bursts += IsRow(row, "figures", processor) ? atoi(row.c_str() + row.find(" of ") + 4) : 0;
    return bursts;
}

// The first row of one event for one processor, or any (""), that holds `text`; else "".
inline std::string Find(const Log& rows, const std::string& event, const std::string& processor,
                        const std::string& text = "") {
    for (const std::string& row : rows)
        if (IsRow(row, event, processor) && row.find(text) != std::string::npos)
            return row;
    return "";
}
