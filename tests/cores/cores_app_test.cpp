// Vesko Cores as a user meets it: started as its own process on two
// processors, its log read as it grows, its tools looked at from outside.
#include "cores/tool_process.h"
#include "../app/real_burst.h"
#include "../app/tool_process.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <dlgs.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string TempPath(const std::string& name) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return folder + name;
}

// This program's folder, ending in a backslash.
std::string OwnFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The tools that `parent` started and that still run.
std::vector<DWORD> Children(DWORD parent) {
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == parent && _stricmp(entry.szExeFile, "vesko.exe") == 0)
            children.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return children;
}

// A dialog (a file dialog, a message box) that a process shows.
HWND WaitForDialog(DWORD processId) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; Sleep(50))
        for (HWND w = FindWindowA("#32770", nullptr); w;
             w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == processId && IsWindowVisible(w))
                return w;
        }
    return nullptr;
}

// "Save Chart..." from the window's File menu, answered with `path` or cancelled.
void SaveChartAs(HWND window, DWORD processId, const std::string& path) {
    PostMessageA(window, WM_COMMAND, 40101, 0);
    HWND dialog = WaitForDialog(processId);
    ASSERT_TRUE(dialog);
    HWND name = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
    SetWindowTextA(name, path.c_str());
    PostMessageA(dialog, WM_COMMAND, path.empty() ? IDCANCEL : IDOK, 0);
    for (DWORD start = GetTickCount(); IsWindow(dialog) && GetTickCount() - start < 30000;)
        Sleep(50);
}

// Width and height from a BMP file's header; 0 x 0 when it cannot be read.
std::pair<long, long> BmpSize(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    BITMAPFILEHEADER head = {};
    BITMAPINFOHEADER info = {};
    file.read((char*)&head, sizeof head).read((char*)&info, sizeof info);
    return file ? std::make_pair(long(info.biWidth), long(info.biHeight)) : std::make_pair(0L, 0L);
}

// Ends a tool as a crash would, and waits until it is gone.
void Crash(DWORD processId) {
    HANDLE tool = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    ASSERT_TRUE(TerminateProcess(tool, 0xC0000005));
    WaitForSingleObject(tool, 30000);
    CloseHandle(tool);
}

// Suspends every thread of a tool: it answers no message, as when stuck.
void Freeze(DWORD processId) {
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

DWORD_PTR AffinityOf(DWORD processId) {
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
        log = TempPath("vesko-cores-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv");
        DeleteFileA(log.c_str());
    }

    void TearDown() override {
        if (HasFailure())
            for (const std::string& row : Rows())
                printf("log: %s\n", row.c_str());
        if (run.hProcess) {
            for (DWORD child : Children(run.dwProcessId)) {
                HANDLE tool = OpenProcess(PROCESS_TERMINATE, FALSE, child);
                TerminateProcess(tool, 1);
                CloseHandle(tool);
            }
            TerminateProcess(run.hProcess, 1);
            CloseHandle(run.hThread);
            CloseHandle(run.hProcess);
            run = {};
        }
        DeleteFileA(log.c_str());
        DeleteFileA((log + ".out").c_str());
    }

    void Start(const std::string& options) {
        std::string line = "\"" + BuiltProgram("vesko-cores.exe") + "\" " + options;
        // Its standard output goes to a file of its own.
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE output = CreateFileA((log + ".out").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    &inherit, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output;
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &run));
        CloseHandle(output);
    }

    // The log's rows so far, header included (or the lines of another file).
    std::vector<std::string> Rows(const std::string& suffix = "") {
        std::vector<std::string> rows;
        HANDLE file =
            CreateFileA((log + suffix).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return rows;
        std::string text(1 << 20, '\0');
        DWORD read = 0;
        ReadFile(file, &text[0], DWORD(text.size()), &read, nullptr);
        CloseHandle(file);
        text.resize(read);
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            rows.push_back(text.substr(at, end - at));
        return rows;
    }

    // Waits, counting rows, until `done` holds for the rows; false on time-out.
    bool WaitFor(const std::function<bool(const std::vector<std::string>&)>& done) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < budgetMs; Sleep(50))
            if (done(Rows()))
                return true;
        return false;
    }

    // Closes the window (or a tool's) as a user would; the run's exit code.
    DWORD CloseAndWait(DWORD processId = 0) {
        PostMessageA(FindProcessWindow(processId ? processId : run.dwProcessId), WM_CLOSE, 0, 0);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(run.hProcess, 30000));
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(run.hProcess, &code);
        return code;
    }

    PROCESS_INFORMATION run = {};
    std::string log;
    DWORD budgetMs = 0;
};

// Field n of a row; the first six never hold a comma.
std::string Field(const std::string& row, int n) {
    size_t at = 0;
    for (int i = 0; i < n; ++i)
        at = row.find(',', at) + 1;
    return row.substr(at, row.find(',', at) - at);
}

// Rows of one event for one processor ("1"), or for any (""); with ticks only, if asked.
size_t Count(const std::vector<std::string>& rows, const std::string& event,
             const std::string& processor, bool withTicks = false) {
    size_t n = 0;
    for (const std::string& row : rows)
        n += Field(row, 3) == event && (processor.empty() || Field(row, 2) == processor) &&
             (!withTicks || !Field(row, 4).empty());
    return n;
}

TEST_F(CoresTest, OneToolPinnedToEachProcessorAndFiguresFromBoth) {
    Start("--processors 0,1 --every 1 --log \"" + log + "\"");
    ASSERT_TRUE(WaitFor([](const std::vector<std::string>& rows) {
        return Count(rows, "figures", "0", true) && Count(rows, "figures", "1", true);
    })) << "figures with ticks from both processors";
    std::vector<DWORD> tools = Children(run.dwProcessId);
    ASSERT_EQ(2u, tools.size());
    EXPECT_EQ(3u, AffinityOf(tools[0]) | AffinityOf(tools[1]));
    EXPECT_EQ(0u, AffinityOf(tools[0]) & AffinityOf(tools[1]));
    Freeze(tools[0]); // deaf to WM_CLOSE: terminated after 5 s
    std::string frozen = AffinityOf(tools[0]) == 2 ? "1" : "0";
    EXPECT_EQ(0u, CloseAndWait()) << "PASS";
    std::vector<std::string> rows = Rows();
    EXPECT_EQ("utc,run_seconds,processor,event,ticks_per_iteration,mhz,detail", rows.front());
    EXPECT_EQ(1u, Count(rows, "start", "0"));
    EXPECT_EQ(1u, Count(rows, "start", "1"));
    EXPECT_EQ(2u, Count(rows, "end", ""));
    std::string lastFigures;
    for (const std::string& row : rows) {
        bool terminated = row.find("terminated") != std::string::npos;
        EXPECT_EQ(Field(row, 3) == "end" && Field(row, 2) == frozen, terminated) << row;
        lastFigures = Field(row, 3) == "figures" ? Field(row, 1) : lastFigures;
    }
    EXPECT_GE(std::stoi(Field(rows.back(), 1)), std::stoi(lastFigures) + 5) << "after the 5 s";
    EXPECT_NE(std::string::npos, rows.back().find(",verdict,,,\"PASS: 2 processors ran for"));
    EXPECT_TRUE(Children(run.dwProcessId).empty()) << "the tools were closed";
    std::vector<std::string> printed = Rows(".out");
    ASSERT_FALSE(printed.empty());
    EXPECT_EQ("log: ", printed.back().substr(0, 5));
    printed.pop_back();
    EXPECT_EQ(rows, printed) << "every row is printed too";
}

TEST_F(CoresTest, CycleModeMovesOneToolToTheNextProcessor) {
    Start("--processors 0,1 --cycle 10 --every 1 --log \"" + log + "\"");
    ASSERT_TRUE(WaitFor([](const std::vector<std::string>& rows) {
        return Count(rows, "figures", "0", true) > 0;
    }));
    std::vector<DWORD> tools = Children(run.dwProcessId);
    ASSERT_EQ(1u, tools.size());
    EXPECT_EQ(1u, AffinityOf(tools[0]));
    ASSERT_TRUE(WaitFor(
        [](const std::vector<std::string>& rows) { return Count(rows, "moved", "1") > 0; }));
    EXPECT_EQ(2u, AffinityOf(tools[0])) << "the same tool, now on processor 1";
    EXPECT_EQ(tools, Children(run.dwProcessId));
    EXPECT_EQ(0u, CloseAndWait());
    EXPECT_NE(std::string::npos, Rows().back().find("\"PASS: 2 processors ran in turn for"));
    TearDown(); // over one processor the tool stays put, until --duration ends the run
    Start("--processors 1 --cycle 10 --duration 12"); // the log named by the time, here
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(run.hProcess, budgetMs));
    std::vector<std::string> rows = Rows(".out"); // as printed
    EXPECT_EQ(0u, Count(rows, "moved", ""));
    EXPECT_NE(std::string::npos, rows.end()[-2].find("\"PASS: 1 processor ran in turn for 0:00:1"));
    EXPECT_NE(std::string::npos, rows.back().find("\\vesko-cores-2")) << rows.back();
    DeleteFileA(rows.back().substr(5).c_str());
}

TEST_F(CoresTest, AToolKilledFromOutsideStopsItsProcessorAndFailsTheRun) {
    Start("--processors 0,1 --every 1 --log \"" + log + "\"");
    ASSERT_TRUE(WaitFor(
        [](const std::vector<std::string>& rows) { return Count(rows, "figures", "") >= 2; }));
    std::vector<DWORD> tools = Children(run.dwProcessId);
    ASSERT_EQ(2u, tools.size());
    int processor = AffinityOf(tools[1]) == 2 ? 1 : 0;
    Crash(tools[1]);
    std::string stopped =
        std::to_string(processor) + ",stopped,,,exit code 0xC0000005 (access violation)";
    ASSERT_TRUE(WaitFor([&](const std::vector<std::string>& rows) {
        for (const std::string& row : rows)
            if (row.find(stopped) != std::string::npos)
                return true;
        return false;
    }));
    // The other one crashes as the window is closed, before any poll sees it.
    Crash(tools[0]);
    EXPECT_EQ(1u, CloseAndWait()) << "FAIL";
    EXPECT_EQ(2u, Count(Rows(), "stopped", ""));
    EXPECT_NE(std::string::npos, Rows().back().find(",verdict,,,\"FAIL: 2 processors ran for"));
}

// Saved from the File menu while the run goes and with --chart at the end, at
// the window's chart size; ImageMagick reads both back (chart_identify). A
// In cycle mode a tool that stops is replaced by a new one on the next
// processor; a tool that cannot even start stops its processor too.
TEST_F(CoresTest, ACycledToolThatStopsGivesWayToTheNextProcessor) {
    Start("--processors 0,1 --cycle 60 --every 1 --log \"" + log + "\"");
    ASSERT_TRUE(WaitFor([](const std::vector<std::string>& rows) {
        return Count(rows, "figures", "0", true) > 0;
    }));
    Crash(Children(run.dwProcessId).at(0));
    ASSERT_TRUE(WaitFor([](const std::vector<std::string>& rows) {
        return Count(rows, "figures", "1", true) > 0;
    }));
    EXPECT_EQ(1u, Count(Rows(), "start", "1"));
    EXPECT_EQ(2u, AffinityOf(Children(run.dwProcessId).at(0)));
    EXPECT_EQ(1u, CloseAndWait(Children(run.dwProcessId).at(0))) << "the tool closed: none left";
    EXPECT_EQ(1u, Count(Rows(), "closed", "1"));
    TearDown();
    std::string notATool = log + ".txt";
    std::ofstream(notATool) << "not a program";
    Start("--processors 1 --cycle 10 --tool \"" + notATool + "\" --log \"" + log + "\"");
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(run.hProcess, budgetMs))
        << "nothing left to watch";
    DWORD code = 0;
    GetExitCodeProcess(run.hProcess, &code);
    EXPECT_EQ(1u, code);
    EXPECT_EQ(1u, Count(Rows(), "stopped", "1"));
    DeleteFileA(notATool.c_str());
}

// save that fails says so and leaves the old file whole.
TEST_F(CoresTest, TheChartIsSavedFromTheMenuAndAtTheEnd) {
    std::string folder = OwnFolder() + "chart_out\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string atEnd = folder + "at_end.bmp", fromMenu = folder + "from_menu.bmp";
    std::string kept = TempPath("vesko-cores-kept.bmp");
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream(kept) << "old bytes";
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY);
    DeleteFileA(fromMenu.c_str());
    Start("--processors 0,1 --every 1 --chart \"" + atEnd + "\" --log \"" + log + "\"");
    ASSERT_TRUE(WaitFor([](const std::vector<std::string>& rows) {
        return Count(rows, "figures", "0", true) && Count(rows, "figures", "1", true);
    }));
    HWND window = FindProcessWindow(run.dwProcessId);
    SaveChartAs(window, run.dwProcessId, ""); // nothing saved, nothing said
    SaveChartAs(window, run.dwProcessId, fromMenu);
    SaveChartAs(window, run.dwProcessId, kept);
    HWND box = WaitForDialog(run.dwProcessId);
    ASSERT_TRUE(box) << "a message box says the save failed";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, CloseAndWait());
    std::ifstream old(kept);
    EXPECT_EQ("old bytes", std::string(std::istreambuf_iterator<char>(old), {}));
    old.close();
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(kept.c_str());
    long width = 0, height = 0;
    for (const std::string& line : Rows(".out"))
        sscanf(line.c_str(), "chart: %*[^(](%ld x %ld)", &width, &height);
    ASSERT_GT(width * height, 0) << "the size it was written at";
    for (const std::string& file : {atEnd, fromMenu}) {
        EXPECT_EQ(std::make_pair(width, height), BmpSize(file)) << file;
        // Corners of white background; colours as they come.
        std::ofstream(file.substr(0, file.size() - 4) + ".txt")
            << width << " " << height << " * 255 255 255 255 255 255\n";
    }
}

// A message box names what is wrong, or shows the usage: dismissed as a user would.
TEST_F(CoresTest, ABadCommandLineExitsWithTwoAndStartsNoTool) {
    const char* const lines[] = {
        "--log Z:\\no\\such\\folder\\x.csv", "--processors 0,63,1", "--cycle 5", "--every", "/help",
        "--tool Z:\\no\\vesko.exe",          "--tool C:\\windows"};
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        Start(line);
        HWND box = nullptr;
        for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 30000; Sleep(50))
            box = FindProcessWindow(run.dwProcessId);
        ASSERT_TRUE(box) << "the message box";
        EXPECT_TRUE(Children(run.dwProcessId).empty());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(run.hProcess, 30000));
        DWORD code = 0;
        GetExitCodeProcess(run.hProcess, &code);
        EXPECT_EQ(strcmp(line, "/help") ? 2u : 0u, code) << "the usage asked for: 0";
        CloseHandle(run.hThread);
        CloseHandle(run.hProcess);
        run = {};
    }
}

} // namespace
