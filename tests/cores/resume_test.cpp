// Vesko Cores cut short as by a power cut (itself and every tool ended at once, nothing written
// after), then --resume, twice: each stopped core is named and failed, the run goes on at the next
// core, and the first part's evidence counts in the end. --autostart keeps the resume command
// registered for the next logon while the run goes, and takes it back with the verdict.
#include "companion_test.h"
#include "cores/log_row.h"
#include "cores/win_autostart.h"

namespace {

const std::string theSlowTool = " --tool \"" + OwnFolder() + "vesko-slow.exe\"";

// Every process of the run ended in one sweep, Vesko Cores first: it writes nothing more.
void PowerCut(PROCESS_INFORMATION* run) {
    std::vector<DWORD> tools = Children(run->dwProcessId);
    TerminateProcess(run->hProcess, 1);
    for (DWORD tool : tools)
        Crash(tool, 1);
    WaitForSingleObject(run->hProcess, 30000);
    ForgetProcess(run);
}

// The rows from the latest resumed row on; none before there is one.
Log LatestPart(const Log& rows) {
    Log part;
    bool resumed = false;
    for (const std::string& row : rows) {
        if (IsRow(row, "resumed", ""))
            part.clear(), resumed = true;
        part.push_back(row);
    }
    return resumed ? part : Log();
}

std::string Registered() {
    char command[2 * MAX_PATH + 40];
    return RegisteredAtLogon(command, sizeof command) ? command : "";
}

TEST_F(CoresTest, ARunCutShortTwiceGoesOnAndEndsWithEveryPartsEvidence) {
    const std::string& next = OtherCore();
    if (next.empty())
        GTEST_SKIP() << "one core: nowhere to move";
    UnregisterAtLogon();
    StartLogged("--processors 0," + next + " --cycle 10 --every 1 --autostart" + theSlowTool);
    ASSERT_TRUE(WaitFor([&](const Log& rows) { // in the next core's turn, after its own burst
        return Count(rows, "moved", next) && Bursts(rows, next) >= 1;
    }));
    EXPECT_HAS("\" --resume --log \"" + log + "\"", Registered());
    int firstBursts = Bursts(Rows(), "0");
    PowerCut(&run);
    Start("--resume --log \"" + log + "\"");
    ASSERT_TRUE(WaitFor([&](const Log& rows) {
        return Count(LatestPart(rows), "start", "0") && Bursts(LatestPart(rows), "0") >= 1;
    })) << "going on at the next core: core 0's again";
    Log rows = Rows();
    EXPECT_HAS("part 2: the run stopped without a verdict after its row at ",
               Find(rows, "resumed", ""));
    EXPECT_HAS("the machine stopped while it was under the tool; last row at ",
               Find(rows, "stopped", next));
    EXPECT_EQ(1u, Count(rows, "run", "")) << "one run";
    EXPECT_NE("", Registered()) << "registered again for this part";
    PowerCut(&run);
    Start("--resume --log \"" + log + "\"");
    EXPECT_EQ(1u, ExitCode(budgetMs)) << "FAIL, nothing left to test";
    rows = Rows();
    EXPECT_HAS(",verdict,,,\"FAIL: 2 processors in turn for ", rows.back());
    EXPECT_HAS(", in 3 parts, 2 failed: processor 0 (core ", rows.back());
    EXPECT_HAS("stopped, the machine stopped while it was under the tool", rows.back());
    std::string end = Find(rows, "end", "0");
    size_t bursts = end.rfind(' ', end.find(" bursts in ") - 1) + 1;
    EXPECT_GE(atoi(end.c_str() + bursts), firstBursts + 1) << "both parts' bursts: " << end;
    EXPECT_EQ("", Registered()) << "taken back with the verdict";
}

// Windows ending the session (an update's restart) is no failure: the run pauses with its resume
// command kept, and goes on with the turn it cut short.
TEST_F(CoresTest, WindowsEndingTheSessionPausesTheRun) {
    const std::string& next = OtherCore();
    if (next.empty())
        GTEST_SKIP() << "one core: nowhere to move";
    UnregisterAtLogon();
    StartLogged("--processors 0," + next + " --cycle 10 --every 1 --autostart");
    ASSERT_TRUE(WaitFor([&](const Log& rows) { return Count(rows, "moved", next) > 0; }));
    SendMessageA(FindProcessWindow(run.dwProcessId), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(3u, ExitCode(30000)) << "no verdict";
    EXPECT_TRUE(IsRow(Rows().back(), "paused", ""));
    EXPECT_NE("", Registered()) << "kept for the next logon";
    Start("--resume --log \"" + log + "\"");
    ASSERT_TRUE(WaitFor([&](const Log& rows) { return Count(LatestPart(rows), "start", "") > 0; }));
    Log part = LatestPart(Rows());
    EXPECT_EQ(0u, Count(part, "stopped", ""));
    EXPECT_EQ(next, Field(Find(part, "start", ""), 2)) << "the turn cut short, again";
    EXPECT_NE(1u, CloseAndWait());
    EXPECT_EQ("", Registered()) << "taken back as its window is closed";
}

// A log holding a finished run, or none, or no log at all, is refused: exit code 2, nothing
// written.
TEST_F(CoresTest, OnlyARunCutShortIsResumed) {
    const std::string header(kLogHeader, strlen(kLogHeader) - 2);
    struct Case {
        Log lines;
        std::string why;
    } cases[] = {
        {{"name,value"}, "is not a Vesko Cores log"},
        {{header, "2026-12-09T01:02:03Z,0,,,run,,,--cycle 10,,,",
          "2026-12-09T01:02:03Z,7,,,verdict,,,FAIL: 2 processors,,,"},
         "ended with its verdict: \"FAIL: 2 processors\""},
        {{header, "2026-12-09T01:02:03Z,0,,,run,,,--cycle 10 --turbo,,,"},
         "whose options this version cannot read"},
        {{}, "cannot be read"}, // no file
    };
    for (const Case& c : cases) {
        DeleteFileA(log.c_str());
        if (!c.lines.empty()) {
            std::ofstream file(log, std::ios::binary);
            for (const std::string& line : c.lines)
                file << line << "\r\n";
        }
        Start("--resume --log \"" + log + "\"");
        HWND box = WaitForDialog(run.dwProcessId);
        ASSERT_TRUE(box) << "a message box says why";
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(2u, ExitCode(30000));
        EXPECT_HAS(c.why, Rows(".out").at(0));
        EXPECT_EQ(c.lines, Rows()) << "nothing written";
        EXPECT_EQ(c.lines.empty(), GetFileAttributesA(log.c_str()) == INVALID_FILE_ATTRIBUTES);
        ForgetProcess(&run);
    }
}

} // namespace
