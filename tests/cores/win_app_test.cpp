// Vesko Cores as a user meets it, on two processors over the real tool.
#include "companion_test.h"

namespace {

// One tool pinned to each processor; the chart saved from the File menu and with --chart, at the
// window's chart size (ImageMagick reads both: chart_identify). A failed save says so and keeps the
// old file; a tool deaf to WM_CLOSE is terminated after 5 s.
TEST_F(CoresTest, OneToolPinnedToEachProcessorFiguresFromBothAndTheChart) {
    std::string folder = OwnFolder() + "chart_out\\", kept = OwnFolder() + "vesko-cores-kept.bmp";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string atEnd = folder + "at_end.bmp", fromMenu = folder + "from_menu.bmp";
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream(kept) << "old bytes";
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY);
    DeleteFileA(fromMenu.c_str());
    StartLogged("--processors 0,1 --every 1 --chart \"" + atEnd + "\"");
    ASSERT_TRUE(WaitFor([](const Log& rows) { // PASS needs 3 on each, whatever a burst costs
        return Bursts(rows, "0") >= 3 && Bursts(rows, "1") >= 3 &&
               Count(rows, "figures", "0", true) && Count(rows, "figures", "1", true);
    })) << "3 bursts and figures with ticks from both processors";
    std::vector<DWORD> tools = Children(run.dwProcessId);
    ASSERT_EQ(2u, tools.size());
    EXPECT_EQ(3u, AffinityOf(tools[0]) | AffinityOf(tools[1]));
    EXPECT_EQ(0u, AffinityOf(tools[0]) & AffinityOf(tools[1]));
    HWND window = FindProcessWindow(run.dwProcessId);
    RECT work, own, tool; // its window on the left 2/5 of the work area, the tools beside it
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &own);
    GetWindowRect(FindProcessWindow(tools[0]), &tool);
    EXPECT_EQ(std::make_pair(work.left, std::max(480L, (work.right - work.left) * 2 / 5)),
              std::make_pair(own.left, own.right - own.left));
    EXPECT_GE(tool.left, own.right);
    EXPECT_TRUE(GetMenu(window)) << "its File menu";
    SaveChartAs(window, run.dwProcessId, ""); // nothing saved, nothing said
    SaveChartAs(window, run.dwProcessId, fromMenu);
    SaveChartAs(window, run.dwProcessId, kept);
    HWND box = WaitForDialog(run.dwProcessId);
    ASSERT_TRUE(box) << "a message box says the save failed";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    size_t beforeFreeze = Rows().size();
    Freeze(tools[0]); // deaf to WM_CLOSE: terminated after 5 s
    std::string frozen = AffinityOf(tools[0]) == 2 ? "1" : "0";
    EXPECT_EQ(0u, CloseAndWait()) << "PASS";
    Log rows = Rows();
    EXPECT_EQ("utc,run_seconds,processor,core,event,ticks_per_iteration,mhz,detail,busy,bursts,"
              "under_tool_seconds",
              rows.front());
    EXPECT_EQ(1u, Count(rows, "start", "0"));
    EXPECT_EQ(1u, Count(rows, "start", "1"));
    EXPECT_EQ(2u, Count(rows, "end", ""));
    std::string lastFigures;
    bool going[2] = {false, false}; // a processor's tool has finished a burst
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string& row = rows[i];
        EXPECT_EQ(IsRow(row, "end", frozen), row.find("terminated") != std::string::npos) << row;
        if (!IsRow(row, "figures", ""))
            continue;
        lastFigures = Field(row, 1);
        bool& tool = going[Field(row, 2) == "1"];
        // Every interval after its first burst; one too short for the system's counts to move
        // (two looks a few milliseconds apart after a stall) says its share is unknown.
        if (tool && i < beforeFreeze && !Field(row, 8).empty()) {
            EXPECT_LE(0.5, atof(Field(row, 8).c_str())) << "busy: " << row;
        }
        tool = tool || row.find(" of 0 bursts") == std::string::npos;
    }
    EXPECT_GE(std::stoi(Field(rows.back(), 1)), std::stoi(lastFigures) + 5) << "after the 5 s";
    EXPECT_HAS(",verdict,,,\"PASS: 2 processors for ", rows.back());
    EXPECT_HAS(", each at least ", rows.back());
    EXPECT_TRUE(Children(run.dwProcessId).empty()) << "the tools were closed";
    Log printed = Rows(".out"); // the rows, "chart: " with its size, "log: "
    ASSERT_GE(printed.size(), 2u);
    EXPECT_EQ("log: ", printed.back().substr(0, 5));
    long width = 0, height = 0;
    sscanf(printed.end()[-2].c_str(), "chart: %*[^(](%ld x %ld)", &width, &height);
    printed.resize(printed.size() - 2);
    EXPECT_EQ(rows, printed) << "every row is printed too";
    EXPECT_EQ("old bytes", // read through a stream closed before the file is deleted
              std::string(std::istreambuf_iterator<char>(std::ifstream(kept).rdbuf()), {}));
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(kept.c_str());
    ASSERT_GT(width * height, 0) << "the size it was written at";
    for (const std::string& file : {atEnd, fromMenu}) {
        EXPECT_EQ(std::make_pair(width, height), BmpSize(file)) << file;
        std::ofstream(file.substr(0, file.size() - 4) + ".txt") // white corners, any colours
            << width << " " << height << " * 255 255 255 255 255 255\n";
    }
}

// The tool moves to the next core after 3 bursts on 0; closed then, the verdict follows its count.
TEST_F(CoresTest, CycleModeMovesOneToolToTheNextProcessor) {
    const std::string& next = OtherCore();
    if (next.empty())
        GTEST_SKIP() << "one core: nowhere to move";
    StartLogged("--processors 0," + next + " --cycle 10 --every 1");
    ASSERT_TRUE(WaitFor([](const Log& rows) { return Count(rows, "figures", "0", true); }));
    std::vector<DWORD> tools = Children(run.dwProcessId);
    ASSERT_EQ(1u, tools.size());
    EXPECT_EQ(1u, AffinityOf(tools[0]));
    ASSERT_TRUE(WaitFor([](const Log& rows) { return Count(rows, "moved", OtherCore()) > 0; }));
    EXPECT_EQ(DWORD_PTR(1) << std::stoi(next), AffinityOf(tools[0])) << "the same tool, moved";
    EXPECT_EQ(tools, Children(run.dwProcessId));
    DWORD code = CloseAndWait();
    Log rows = Rows();
    // The end rows' details, "ok; 3 bursts in 0:00:11 under the tool".
    std::string ends[2] = {Field(Find(rows, "end", "0"), 7), Field(Find(rows, "end", next), 7)};
    EXPECT_EQ(0u, ends[0].find("ok; ")) << ends[0];
    int bursts = atoi(ends[1].c_str() + ends[1].find("; ") + 2);
    EXPECT_EQ(bursts >= 3 ? 0u : 3u, code) << ends[1];
    EXPECT_HAS(bursts >= 3 ? "\"PASS: 2 processors in turn for" : "\"NOT PROVEN: processor " + next,
               rows.back());
}

TEST_F(CoresTest, AToolKilledFromOutsideStopsItsProcessorAndFailsTheRun) {
    StartLogged("--processors 0,1 --every 1");
    ASSERT_TRUE(WaitFor([](const Log& rows) { return Count(rows, "figures", "") >= 2; }));
    std::vector<DWORD> tools = Children(run.dwProcessId);
    ASSERT_EQ(2u, tools.size());
    int processor = AffinityOf(tools[1]) == 2 ? 1 : 0;
    Crash(tools[1]);
    std::string p = std::to_string(processor), crash = "exit code 0xC0000005 (access violation)";
    ASSERT_TRUE(WaitFor([&](const Log& rows) { return Find(rows, "stopped", p, crash) != ""; }));
    // The other one crashes as the window is closed, before any poll sees it.
    Crash(tools[0]);
    EXPECT_EQ(1u, CloseAndWait()) << "FAIL";
    EXPECT_EQ(2u, Count(Rows(), "stopped", ""));
    EXPECT_HAS(",verdict,,,\"FAIL: 2 processors for", Rows().back());
}

// A cycled tool that stops gives way to a new one on the next core; one that cannot start too.
TEST_F(CoresTest, ACycledToolThatStopsGivesWayToTheNextProcessor) {
    const std::string& next = OtherCore();
    if (next.empty())
        GTEST_SKIP() << "one core: nowhere to go";
    StartLogged("--processors 0," + next + " --cycle 60 --every 1");
    ASSERT_TRUE(WaitFor([](const Log& rows) { return Count(rows, "figures", "0") > 0; }));
    Crash(Children(run.dwProcessId).at(0));
    ASSERT_TRUE(WaitFor([&](const Log& rows) {
        std::vector<DWORD> tools = Children(run.dwProcessId);
        return Count(rows, "start", OtherCore()) && tools.size() == 1 &&
               FindProcessWindow(tools[0]);
    })) << "a new tool on the next core, its window up";
    EXPECT_EQ(1u, Count(Rows(), "start", next));
    EXPECT_EQ(DWORD_PTR(1) << std::stoi(next), AffinityOf(Children(run.dwProcessId).at(0)));
    EXPECT_EQ(1u, CloseAndWait(Children(run.dwProcessId).at(0))) << "the tool closed: none left";
    EXPECT_EQ(1u, Count(Rows(), "closed", next));
    TearDown();
    std::ofstream(log + ".txt") << "not a program";
    StartLogged("--processors 1 --cycle 10 --tool \"" + log + ".txt\"");
    EXPECT_EQ(1u, ExitCode(budgetMs)) << "nothing left to watch";
    EXPECT_EQ(1u, Count(Rows(), "stopped", "1"));
}

// A message box names what is wrong, or shows the usage: dismissed as a user would.
TEST_F(CoresTest, ABadCommandLineExitsWithTwoAndStartsNoTool) {
    const char* const lines[] = {
        "--log Z:\\no\\such\\folder\\x.csv", "--processors 0,63,1", "--cycle 5", "--every", "/help",
        "--tool Z:\\no\\vesko.exe",          "--tool C:\\windows"};
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        Start(line);
        HWND box = WaitForDialog(run.dwProcessId);
        ASSERT_TRUE(box) << "the message box";
        EXPECT_TRUE(Children(run.dwProcessId).empty());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(strcmp(line, "/help") ? 2u : 0u, ExitCode(30000)) << "the usage asked for: 0";
        Log printed = Rows(".out"); // printed too, for a run without a screen
        if (!strcmp(line, "/help")) {
            EXPECT_HAS("fewer than 3 bursts", printed.empty() ? "" : printed.back()) << "whole";
        } else if (!strcmp(line, "--tool Z:\\no\\vesko.exe")) {
            EXPECT_HAS("The tool Z:\\no\\vesko.exe is not there",
                       printed.empty() ? "" : printed[0]);
        }
        TearDown();
    }
}

} // namespace
