#include "cores/win_chart.h"

#include "chart/drawing.h"
#include "gfx/bitmap_helpers.h"
#include "gfx/bmp_writer.h"

#include <stdio.h>
#include <string.h>

void StartRunChart(RunChart* chart, uint64_t processors) {
    chart->count = 0;
    for (int p = 0; p < kMaxProcessors; ++p) {
        if (!(processors >> p & 1))
            continue;
        memset(&chart->series[chart->count], 0, sizeof chart->series[0]);
        chart->processors[chart->count++] = p;
    }
    ++chart->version;
}

void AddFiguresToChart(RunChart* chart, const LogRow& row) {
    if (row.event != figuresEvent)
        return;
    for (int i = 0; i < chart->count; ++i) {
        if (chart->processors[i] != row.processor)
            continue;
        float ticks = row.ticksHundredths >= 0 ? row.ticksHundredths / 100.0f : kChartMissing;
        float mhz = row.mhzTenths >= 0 ? row.mhzTenths / 10.0f : kChartMissing;
        AddChartFigures(chart->series[i], uint32_t(row.runMs / 1000), ticks, mhz);
        ++chart->version;
    }
}

HBITMAP DrawRunChart(const RunChart& chart, uint64_t runMs, int width, int height) {
    if (width <= 0 || height <= 0)
        return nullptr;
    HBITMAP dib = CreateDib(width, height, 32);
    ChartInput input = {chart.series, chart.processors, chart.count, uint32_t(runMs / 1000),
                        chart.upperTitle};
    if (dib && !DrawChart(dib, input))
        dib = (HBITMAP)DeleteGdiObject(dib);
    return dib;
}

BOOL SaveRunChart(const RunChart& chart, uint64_t runMs, SIZE size, const char* path, char* error,
                  int errorSize) {
    HBITMAP dib = DrawRunChart(chart, runMs, size.cx, size.cy);
    if (!dib) {
        snprintf(error, size_t(errorSize), "the chart (%ld x %ld) could not be drawn", size.cx,
                 size.cy);
        return FALSE;
    }
    BOOL saved = SaveBitmapFile(path, dib, nullptr);
    DWORD code = GetLastError();
    DeleteObject(dib);
    if (!saved)
        snprintf(error, size_t(errorSize), "the chart could not be saved as %s: error %lu", path,
                 code);
    return saved;
}
