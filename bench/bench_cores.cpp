// Vesko Cores as a running program: its own processor time per hour of one
// watched tool, the cost of one log row, and how far apart the processors'
// compared figures lie at --every 1, 2 and 10 (what the slower-than-the-rest
// threshold must stay above).
#include "bench/bench_timing.h"
#include "cores/judge.h"
#include "cores/win_app.h"
#include "cores/log_row.h"
#include "cores/win_log_file.h"
#include "cores/win_tool_process.h"

#include <windows.h>

#include <algorithm>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

std::string Beside(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\')) + "\\app\\" + name;
}

std::string TempFile(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

double OwnProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](FILETIME t) {
        return double(ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

struct Usage {
    double processorSeconds, wallSeconds;
};

// The companion run in this process (Wine reports no processor time of
// another process), watching one tool for `seconds` with its window shown:
// its start, its polling, its painting and its end, all counted.
Usage CompanionTime(int seconds) {
    std::string log = TempFile("bench-cores-one.csv");
    DeleteFileA(log.c_str());
    std::string duration = std::to_string(seconds) + "s", tool = Beside("vesko.exe");
    const char* arguments[] = {"--processors", "0",         "--duration", duration.c_str(),
                               "--log",        log.c_str(), "--tool",     tool.c_str()};
    // Its rows are not for the table.
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetStdHandle(STD_OUTPUT_HANDLE, nowhere);
    double cpu0 = OwnProcessorSeconds(), wall0 = Now();
    RunVeskoCores(8, const_cast<char**>(arguments), SW_SHOWNOACTIVATE);
    Usage usage = {OwnProcessorSeconds() - cpu0, Now() - wall0};
    SetStdHandle(STD_OUTPUT_HANDLE, output);
    CloseHandle(nowhere);
    DeleteFileA(log.c_str());
    return usage;
}

// A short and a long run: their difference is the cost of watching alone.
void WatchingCost(int seconds) {
    Usage shortRun = CompanionTime(seconds), longRun = CompanionTime(4 * seconds);
    double cpu = longRun.processorSeconds - shortRun.processorSeconds;
    double wall = longRun.wallSeconds - shortRun.wallSeconds;
    printf(
        "| companion processor time, one tool, %.0f s run (start and end included) | %.0f ms |\n",
        longRun.wallSeconds, longRun.processorSeconds * 1e3);
    printf("| per hour of one watched tool, steady | %.1f s (%.2f %% of one processor; goal under "
           "0.5 %%) |\n",
           cpu / wall * 3600, cpu / wall * 100);
}

void RowCost(int rows) {
    std::string path = TempFile("bench-cores-rows.csv");
    DeleteFileA(path.c_str());
    RunLog log = {};
    char error[200];
    if (!OpenRunLog(&log, path.c_str(), nullptr, error, sizeof error))
        return;
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    LogRow row = MakeLogRow(3600000, 7, figuresEvent, "samples %d", 123);
    row.ticksHundredths = 743, row.mhzTenths = 20963;
    char line[600];
    double start = Now();
    for (int i = 0; i < rows; ++i) {
        int length = FormatLogRow(row, utc, line, sizeof line);
        WriteRunLog(&log, line, length);
    }
    double each = (Now() - start) / rows;
    CloseRunLog(&log);
    DeleteFileA(path.c_str());
    printf("| one log row: format and WriteFile | %.1f us (%d rows) |\n", each * 1e6, rows);
}

// What "slower than the rest" compares at each figures interval's end: each processor's
// figure against the lower median of the others' taken at the same end, in percent above.
void Compare(const Judge& judge, uint64_t now, std::vector<double>* above) {
    for (int i = 0; i < judge.count; ++i) {
        const ProcessorWarnings& own = judge.watches[i].warnings;
        if (!own.figure || own.figureMs != now)
            continue;
        std::vector<double> others;
        for (int j = 0; j < judge.count; ++j)
            if (j != i && judge.watches[j].warnings.figure)
                others.push_back(judge.watches[j].warnings.figure);
        if (others.empty())
            continue;
        std::sort(others.begin(), others.end());
        above->push_back((own.figure / others[(others.size() - 1) / 2] - 1) * 100);
    }
}

// Every processor at once for `seconds`, a tool pinned to each, its titles fed to three judges
// alike but for --every (1, 2 and 10 s): how far a processor's compared figure lies from the
// others', at each --every; what "slower than the rest" holds against its 10 %.
void Spread(int seconds) {
    static Judge judges[3];
    static ToolProcess tools[kMaxProcessors];
    const uint32_t everys[3] = {1, 2, 10};
    DWORD_PTR mask = 0, system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &mask, &system);
    std::string tool = Beside("vesko.exe");
    int count = 0;
    char error[200];
    for (int p = 0; p < kMaxProcessors && p < int(8 * sizeof mask); ++p)
        if (mask >> p & 1 && StartPinnedTool(tool.c_str(), "", p, 0, &tools[count], error, 200))
            ++count;
    for (int k = 0; k < 3; ++k) {
        StartJudge(&judges[k], mask, everys[k], false, {[](void*, const LogRow&) {}, nullptr});
        for (int i = 0; i < count; ++i)
            TellStarted(&judges[k], FindWatch(&judges[k], tools[i].processor), 0, tool.c_str());
    }
    std::vector<double> above[3];
    double start = Now();
    for (uint64_t now = 0; now < uint64_t(seconds) * 1000; now = uint64_t((Now() - start) * 1e3)) {
        Sleep(125); // as Vesko Cores polls
        char title[256];
        for (int i = 0; i < count; ++i) {
            bool found = FindToolWindow(&tools[i]);
            bool read = tools[i].window && GetWindowTextA(tools[i].window, title, sizeof title);
            for (int k = 0; k < 3; ++k) {
                ProcessorWatch* watch = FindWatch(&judges[k], tools[i].processor);
                if (found)
                    TellWindow(watch, now);
                if (read)
                    TellTitle(&judges[k], watch, title, now);
            }
        }
        for (int k = 0; k < 3; ++k) {
            JudgeTick(&judges[k], now);
            Compare(judges[k], now, &above[k]);
        }
    }
    for (int i = 0; i < count; ++i)
        KillTool(&tools[i]), ReleaseTool(&tools[i]);
    for (int k = 0; k < 3; ++k) {
        if (above[k].empty())
            continue;
        std::vector<double> apart;
        for (double percent : above[k])
            apart.push_back(fabs(percent));
        printf("| a processor's compared figure against the others', %d s all at once, --every %u "
               "| %.1f %% apart at the median, %.1f %% above in nine of ten, %.1f %% above at "
               "most (%zu comparisons) |\n",
               seconds, everys[k], Median(apart), Percentile(above[k], 0.9),
               Percentile(above[k], 1.0), above[k].size());
    }
}

} // namespace

// bench_cores [SECONDS [SPREAD_SECONDS]]: the watching cost over SECONDS and
// 4 x SECONDS (default 20), the spread over SPREAD_SECONDS (default 90).
int main(int argc, char** argv) {
    int seconds = argc > 1 ? atoi(argv[1]) : 20;
    int spreadSeconds = argc > 2 ? atoi(argv[2]) : 90;
    printf("| Vesko Cores | figure |\n|---|---|\n");
    RowCost(10000);
    WatchingCost(seconds);
    Spread(spreadSeconds);
    return 0;
}
