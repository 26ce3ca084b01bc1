// Vesko Cores as a running program: its own processor time per hour of one
// watched tool, the cost of one log row, and how far apart the processors'
// medians lie per figures interval (what the slower-than-the-rest threshold
// must stay above).
#include "bench/bench_timing.h"
#include "cores/win_app.h"
#include "cores/log_row.h"
#include "cores/win_log_file.h"
#include "cores/win_tool_process.h"

#include <windows.h>

#include <algorithm>
#include <map>
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

// The fields of a CSV row that has no quoted field.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t at = 0;
    for (size_t comma; (comma = line.find(',', at)) != std::string::npos; at = comma + 1)
        fields.push_back(line.substr(at, comma - at));
    fields.push_back(line.substr(at));
    return fields;
}

// Every processor at once for `seconds`, 10 s figures intervals: how far each
// processor's figure (its interval median, where the interval holds 5 cycles
// lines or more) lies from the lower median of the others' in the same
// interval; what "slower than the rest" compares with its 10 %.
void Spread(int seconds) {
    std::string log = TempFile("bench-cores-all.csv");
    DeleteFileA(log.c_str());
    PROCESS_INFORMATION run = StartCompanion("--log \"" + log + "\"");
    Sleep(DWORD(seconds) * 1000);
    EndCompanion(run);
    std::vector<double> apart, above;
    std::map<std::string, std::map<int, double>> intervals; // run seconds: processor: figure
    int thin = 0;
    for (const std::string& line : Lines(log)) {
        std::vector<std::string> f = Fields(line);
        if (f.size() < 8 || f[4] != "figures")
            continue;
        if (atoi(f[7].c_str() + 8) < 5) // "samples N of B bursts"
            ++thin;
        else
            intervals[f[1]][atoi(f[2].c_str())] = atof(f[5].c_str());
    }
    DeleteFileA(log.c_str());
    for (const auto& interval : intervals)
        for (const auto& processor : interval.second) {
            std::vector<double> others;
            for (const auto& other : interval.second)
                if (other.first != processor.first)
                    others.push_back(other.second);
            if (others.empty())
                continue;
            std::sort(others.begin(), others.end());
            double percent = (processor.second / others[(others.size() - 1) / 2] - 1) * 100;
            apart.push_back(fabs(percent));
            above.push_back(percent);
        }
    if (apart.empty())
        return;
    printf("| a processor's figure against the others', %d s all at once, 10 s intervals | %.1f %% "
           "apart at the median, %.1f %% above in nine of ten, %.1f %% above at most (%zu "
           "comparisons; %d figures rows under 5 samples left out) |\n",
           seconds, Median(apart), Percentile(above, 0.9), Percentile(above, 1.0), apart.size(),
           thin);
}

} // namespace

// bench_cores [SECONDS [SPREAD_SECONDS]]: the watching cost over SECONDS and
// 4 x SECONDS (default 20), the spread over SPREAD_SECONDS (default 2 x SECONDS).
int main(int argc, char** argv) {
    int seconds = argc > 1 ? atoi(argv[1]) : 20;
    int spreadSeconds = argc > 2 ? atoi(argv[2]) : 2 * seconds;
    printf("| Vesko Cores | figure |\n|---|---|\n");
    RowCost(10000);
    WatchingCost(seconds);
    Spread(spreadSeconds);
    return 0;
}
