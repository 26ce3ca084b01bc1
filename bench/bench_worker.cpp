// Burst figures for the burn-in worker: burst length, kernel ticks per
// iteration on its special values and on zeros, and the cost of everything
// between two bursts.
#include "app/burn_kernel.h"
#include "app/burn_worker.h"
#include "app/clock.h"
#include "app/main_window.h"
#include "bench/bench_timing.h"

#include <windows.h>

#include <algorithm>
#include <stdio.h>
#include <vector>

namespace {

// Creates the stand-in main window and pumps it, as the user-interface
// thread does while the worker runs.
DWORD WINAPI PumpWindow(LPVOID ready) {
    theMainWindow.hwnd = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetEvent((HANDLE)ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(theMainWindow.hwnd);
    return 0;
}

struct Bursts {
    std::vector<double> ticks, ms;
};

void RunBurst(const Matrix44& seed, Bursts& bursts) {
    double start = Now();
    double before = double(ReadTimeStampCounter());
    RunBurnKernel(&seed);
    double after = double(ReadTimeStampCounter());
    bursts.ms.push_back((Now() - start) * 1e3);
    bursts.ticks.push_back((after - before) * 1e-7);
}

void PrintRow(const char* label, const std::vector<double>& values) {
    printf("%-44s %10.2f %10.2f %10.2f\n", label, Median(values),
           *std::min_element(values.begin(), values.end()),
           *std::max_element(values.begin(), values.end()));
}

} // namespace

int main() {
    PrintProcessor();
    // The tool's seeds turn to infinities and NaNs within a few thousand
    // iterations; from zeros the same instructions stay on zeros.
    Matrix44 seed, zeros = {};
    BuildSeedMatrix(seed);
    Bursts special, zero;
    RunBurst(seed, special);
    // 20 bursts or about 60 s, whichever comes first, and never fewer than 3:
    // a burst lasts 35 ms on some processors and 13 s on others.
    int count = std::max(3, std::min(20, int(60e3 / special.ms[0])));
    while (int(special.ms.size()) < count)
        RunBurst(seed, special);
    for (int i = 0; i < count; ++i)
        RunBurst(zeros, zero);
    char title[64];
    snprintf(title, sizeof title, "kernel (%d bursts each)", count);
    printf("%-44s %10s %10s %10s\n", title, "median", "min", "max");
    PrintRow("  burst length, ms", special.ms);
    PrintRow("  TSC ticks per iteration, the tool's seeds", special.ticks);
    PrintRow("  TSC ticks per iteration, all-zero seeds", zero.ticks);
    printf("%-44s %10.1f   (near 1: special values at full speed; hundreds: in microcode)\n",
           "  special values / zeros, ratio", Median(special.ticks) / Median(zero.ticks));

    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD pumpId;
    HANDLE pump = CreateThread(nullptr, 0, PumpWindow, ready, 0, &pumpId);
    WaitForSingleObject(ready, INFINITE);
    MeasureClockHz(); // its first call spins 0.2 s: not part of a status update
    std::vector<double> lineUs, titleUs, costUs;
    for (int i = 0; i < 400; ++i) {
        double start = Now();
        int seconds = int(SecondsSinceStart()) + i % 4; // both kinds of line
        const char* line = StatusLine(seconds, 0.0, 1.5e8, MeasureClockHz);
        double formatted = Now();
        theMainWindow.SetText(line);
        double end = Now();
        lineUs.push_back((formatted - start) * 1e6);
        titleUs.push_back((end - formatted) * 1e6);
        costUs.push_back((end - start) * 1e6);
    }
    PostThreadMessageA(pumpId, WM_QUIT, 0, 0);
    WaitForSingleObject(pump, INFINITE);

    double burstUs = Median(special.ms) * 1e3;
    double worst = *std::max_element(costUs.begin(), costUs.end());
    printf("%-44s %10s %10s\n", "between bursts (400 updates)", "median", "worst");
    printf("%-44s %10.1f %10.1f\n", "  status line alone, us", Median(lineUs),
           *std::max_element(lineUs.begin(), lineUs.end()));
    printf("%-44s %10.1f %10.1f\n", "  title update alone (sent across threads), us",
           Median(titleUs), *std::max_element(titleUs.begin(), titleUs.end()));
    printf("%-44s %10.1f %10.1f\n", "  status line + title update, us", Median(costUs), worst);
    printf("%-44s %9.4f%% %9.4f%%   (target < 0.1%%)\n", "  share of one burst",
           100.0 * Median(costUs) / burstUs, 100.0 * worst / burstUs);
    return 0;
}
