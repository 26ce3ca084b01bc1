// Vesko Cores as a running program: its own processor time per hour of one
// watched tool, the cost of one log row, and how far apart the processors'
// medians lie per figures interval (what the slower-than-the-rest threshold
// must stay above).
#include "bench/bench_timing.h"
#include "cores/cores_app.h"
#include "cores/log_row.h"
#include "cores/run_log.h"
#include "cores/tool_process.h"

#include <windows.h>

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

PROCESS_INFORMATION StartCompanion(const std::string& options) {
    std::string line = "\"" + Beside("vesko-cores.exe") + "\" " + options;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, 0, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; // its rows are not for the table
    startup.hStdOutput = startup.hStdError = nowhere;
    PROCESS_INFORMATION run = {};
    CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &run);
    CloseHandle(nowhere);
    return run;
}

void EndCompanion(PROCESS_INFORMATION& run) {
    PostMessageA(FindProcessWindow(run.dwProcessId), WM_CLOSE, 0, 0);
    if (WaitForSingleObject(run.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(run.hProcess, 1);
    CloseHandle(run.hThread);
    CloseHandle(run.hProcess);
}

std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    FILE* file = fopen(path.c_str(), "rb");
    char line[1024];
    while (file && fgets(line, sizeof line, file))
        lines.push_back(line);
    if (file)
        fclose(file);
    return lines;
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

// Every processor for `seconds`: per 5 s figures interval, how far each
// processor's median lies above the lowest.
void Spread(int seconds) {
    std::string log = TempFile("bench-cores-all.csv");
    DeleteFileA(log.c_str());
    PROCESS_INFORMATION run = StartCompanion("--every 5 --log \"" + log + "\"");
    Sleep(DWORD(seconds) * 1000);
    EndCompanion(run);
    std::vector<double> spreads;
    std::string interval;
    double low = 0, high = 0;
    for (const std::string& line : Lines(log)) {
        char utc[32], event[16];
        unsigned long runSeconds;
        int processor;
        double ticks;
        if (sscanf(line.c_str(), "%31[^,],%lu,%d,%15[^,],%lf", utc, &runSeconds, &processor, event,
                   &ticks) != 5 ||
            std::string(event) != "figures")
            continue;
        if (interval != utc && low > 0)
            spreads.push_back((high / low - 1) * 100);
        if (interval != utc)
            interval = utc, low = high = ticks;
        low = ticks < low ? ticks : low;
        high = ticks > high ? ticks : high;
    }
    DeleteFileA(log.c_str());
    if (spreads.empty())
        return;
    printf("| spread of processor medians per 5 s interval | median %.1f %%, largest %.1f %% (%zu "
           "intervals) |\n",
           Median(spreads), Percentile(spreads, 1.0), spreads.size());
}

} // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? atoi(argv[1]) : 20;
    printf("| Vesko Cores | figure |\n|---|---|\n");
    RowCost(10000);
    WatchingCost(seconds);
    Spread(2 * seconds);
    return 0;
}
