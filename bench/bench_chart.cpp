// The run's chart: memory of the bounded series after a simulated 72-hour
// run at one figures row per 10 s, the cost of adding a row, and the drawing
// time at 1920 x 600. With a file name it also writes the chart as a BMP:
//   bench_chart [chart.bmp [processors [hours]]]
#include "bench/bench_timing.h"
#include "chart/drawing.h"
#include "gfx/bitmap_helpers.h"
#include "gfx/bmp_writer.h"

#include <stdio.h>
#include <stdlib.h>

namespace {

const int kMaxProcessors = 64;
const uint32_t kEvery = 10;
const int kRuns = 9;

ChartSeries theSeries[kMaxProcessors];
int theProcessors[kMaxProcessors];

uint32_t theNoise = 2024;
double Noise() { // -1 to 1
    theNoise = theNoise * 1664525u + 1013904223u;
    return double(theNoise >> 8) / double(1 << 23) - 1;
}

// A healthy band near 7.5 ticks, processor 5 loaded by something else from
// hour 20 to hour 30 of 72 (scaled to the run), and the band rising by 6 %
// over the last quarter: throttling. The clock rate line shows in about
// one interval in three.
void Simulate(int processors, uint32_t seconds) {
    for (int p = 0; p < processors; ++p) {
        theSeries[p] = {};
        theProcessors[p] = p;
    }
    for (uint32_t t = kEvery; t <= seconds; t += kEvery) {
        double run = double(t) / seconds;
        double rise = run > 0.75 ? 0.06 * (run - 0.75) / 0.25 : 0;
        for (int p = 0; p < processors; ++p) {
            double ticks = 7.5 * (1 + rise) + 0.08 * Noise();
            if (p == 5 && run > 20.0 / 72 && run < 30.0 / 72)
                ticks *= 1.12 + 0.03 * Noise();
            double mhz = Noise() > 0.33 ? 2096.0 * (1 - rise / 3) + 3 * Noise() : kChartMissing;
            AddChartFigures(theSeries[p], t, float(ticks), float(mhz));
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const uint32_t run = 72 * 3600;
    double start = Now();
    Simulate(kMaxProcessors, run);
    double addSeconds = Now() - start;
    const double rows = double(kMaxProcessors) * (run / kEvery);
    printf("%-52s %12s\n", "72 h at one row per 10 s (25,920 rows each)", "");
    printf("  %-50s %12u\n", "bytes of one series (sizeof)", unsigned(sizeof(ChartSeries)));
    printf("  %-50s %12u\n", "bytes of 64 series", unsigned(sizeof theSeries));
    printf("  %-50s %12d\n", "points held per series (capacity 2048)", theSeries[0].count);
    printf("  %-50s %12u\n", "rows per point", theSeries[0].samplesPerPoint);
    printf("  %-50s %12.1f\n", "adding one row, ns", addSeconds / rows * 1e9);

    const ChartInput input = {theSeries, theProcessors, kMaxProcessors, run, nullptr};
    for (int processors : {64, 8}) {
        ChartInput some = input;
        some.count = processors;
        HBITMAP dib = CreateDib(1920, 600, 32);
        std::vector<double> times;
        for (int i = 0; i < kRuns; ++i) {
            double begin = Now();
            DrawChart(dib, some);
            times.push_back(Now() - begin);
        }
        char name[64];
        snprintf(name, sizeof name, "drawing 1920 x 600, %d processors, ms", processors);
        printf("  %-50s %6.1f (best %.1f)\n", name, Median(times) * 1e3,
               Percentile(times, 0) * 1e3);
        DeleteObject(dib);
    }

    if (argc > 1) { // a sample chart to look at
        int processors = argc > 2 ? atoi(argv[2]) : kMaxProcessors;
        uint32_t seconds = argc > 3 ? uint32_t(atof(argv[3]) * 3600) : run;
        if (processors < 1 || processors > kMaxProcessors || seconds < kEvery)
            return 2;
        Simulate(processors, seconds);
        ChartInput sample = {theSeries, theProcessors, processors, seconds, nullptr};
        HBITMAP dib = CreateDib(1920, 600, 32);
        BOOL saved = DrawChart(dib, sample) && SaveBitmapFile(argv[1], dib, nullptr);
        DeleteObject(dib);
        printf("sample chart %s: %s\n", argv[1], saved ? "written" : "FAILED");
        return saved ? 0 : 1;
    }
    return 0;
}
