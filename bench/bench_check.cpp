// The check workload's load on one core, per path: bursts a second, each unit's share of
// a burst (each phase timed alone), the burst's length beside the tool's, and the
// floating-point phase's rate against the core's peak at the clock rate measured beside it.
#include "app/burn_kernel.h"
#include "app/burn_worker.h"
#include "bench/bench_timing.h"
#include "check/check_burst.h"
#include "check/cpu_features.h"
#include "check/float_phase.h"
#include "check/integer_phase.h"
#include "check/memory_phase.h"

#include <windows.h>

#include <stdio.h>
#include <vector>

namespace {

const int kBursts = 20; // per path; whole bursts, then each phase alone

// Double-precision operations a cycle at the core's peak: two 256-bit fused multiply-adds
// (4 lanes, 2 operations each) where AVX2 and FMA run, else two 128-bit operations.
const double kAvx2PeakOps = 16, kSse2PeakOps = 4;

volatile uint64_t theSink; // results kept, so no call is left out

// The core's clock: a chain of dependent adds, each waiting the one cycle of the add before
// (an integer add's latency on every current x86 core), 100 million of them (about 30 ms at
// 3 GHz) on the performance counter. The loop's own counting runs beside the chain.
double AddChainHz() {
    const int kRounds = 1000000;
    uint32_t x = 0;
    double start = Now();
    for (int i = 0; i < kRounds; ++i)
        __asm__ volatile(".rept 100\n\taddl $1, %0\n\t.endr" : "+r"(x));
    double seconds = Now() - start;
    theSink = x;
    return kRounds * 100.0 / seconds;
}

struct PathFigures {
    std::vector<double> burstMs, phaseMs[kPhaseCount], clockHz;
    int wrong;
};

uint64_t RunPhase(CheckPath path, int phase, uint64_t burst) {
    if (phase == integerPhase)
        return IntegerPhase(burst);
    if (phase == memoryPhase)
        return MemoryPhase(burst);
    return path == avx2Path ? FloatPhaseAvx2(burst) : FloatPhaseSse2(burst);
}

PathFigures MeasurePath(CheckPath path) {
    PathFigures figures = {};
    for (int burst = 0; burst < kBursts; ++burst) {
        double start = Now();
        figures.wrong += !CheckBurst(path, uint64_t(burst)).ok;
        figures.burstMs.push_back((Now() - start) * 1e3);
    }
    for (int burst = 0; burst < kBursts; ++burst) {
        figures.clockHz.push_back(AddChainHz()); // right before the floating-point phase
        for (int phase = 0; phase < kPhaseCount; ++phase) {
            double start = Now();
            theSink = RunPhase(path, phase, uint64_t(burst));
            figures.phaseMs[phase].push_back((Now() - start) * 1e3);
        }
    }
    figures.clockHz.push_back(AddChainHz());
    return figures;
}

// The tool's burst, timed as bench_worker times it.
double ToolBurstMs() {
    Matrix44 seed;
    BuildSeedMatrix(seed);
    double start = Now();
    RunBurnKernel(&seed);
    return (Now() - start) * 1e3;
}

void PrintRow(const char* label, const double* values, int count, const char* format) {
    printf("%-58s", label);
    for (int i = 0; i < count; ++i)
        printf(format, values[i]);
    printf("\n");
}

} // namespace

int main() {
    PrintProcessor();
    SetThreadAffinityMask(GetCurrentThread(), 1); // the clock chain and the bursts on one core
    bool avx2 = Avx2FmaAllowed(ReadCpuFeatureBits());
    const int paths = avx2 ? 2 : 1;
    PathFigures figures[kPathCount];
    for (int path = 0; path < paths; ++path)
        figures[path] = MeasurePath(CheckPath(path));
    double toolMs = ToolBurstMs();

    double perSecond[kPathCount], burstMs[kPathCount], toolShare[kPathCount], clockMhz[kPathCount];
    double share[kPhaseCount][kPathCount], opsPerCycle[kPathCount], ofPeak[kPathCount];
    double wrong[kPathCount];
    for (int path = 0; path < paths; ++path) {
        const PathFigures& f = figures[path];
        burstMs[path] = Median(f.burstMs);
        perSecond[path] = 1e3 / burstMs[path];
        toolShare[path] = 100.0 * burstMs[path] / toolMs;
        double phases = 0;
        for (int phase = 0; phase < kPhaseCount; ++phase)
            phases += Median(f.phaseMs[phase]);
        for (int phase = 0; phase < kPhaseCount; ++phase)
            share[phase][path] = 100.0 * Median(f.phaseMs[phase]) / phases;
        clockMhz[path] = Median(f.clockHz) * 1e-6;
        // Each lane's step is two operations: a multiply and an add, or one fused.
        double ops = 2.0 * kFloatLanes * kBurstSteps;
        double seconds = Median(f.phaseMs[floatPhase]) * 1e-3;
        opsPerCycle[path] = ops / seconds / Median(f.clockHz);
        ofPeak[path] = 100.0 * opsPerCycle[path] / (avx2 ? kAvx2PeakOps : kSse2PeakOps);
        wrong[path] = f.wrong;
    }

    printf("%-58s%10s%10s\n", "check workload (medians of 20 bursts)", "SSE2", avx2 ? "AVX2" : "");
    PrintRow("  bursts per second", perSecond, paths, "%10.1f");
    PrintRow("  burst length, ms", burstMs, paths, "%10.1f");
    printf("%-58s%10.1f\n", "  the tool's burst (one, timed as bench_worker does), ms", toolMs);
    PrintRow("  burst length against the tool's, %", toolShare, paths, "%10.0f");
    PrintRow("  share of a burst: floating point, % (phases timed alone)", share[floatPhase], paths,
             "%10.1f");
    PrintRow("  share of a burst: integer, %", share[integerPhase], paths, "%10.1f");
    PrintRow("  share of a burst: memory (L1 and L2), %", share[memoryPhase], paths, "%10.1f");
    PrintRow("  clock beside it (chain of dependent adds), MHz", clockMhz, paths, "%10.0f");
    PrintRow("  floating point: double-precision operations a cycle", opsPerCycle, paths, "%10.2f");
    char label[80];
    snprintf(label, sizeof label, "  ... against the core's peak of %.0f a cycle, %%",
             avx2 ? kAvx2PeakOps : kSse2PeakOps);
    PrintRow(label, ofPeak, paths, "%10.1f");
    PrintRow("  bursts with a wrong result", wrong, paths, "%10.0f");
    return 0;
}
