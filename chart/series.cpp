#include "chart/series.h"

namespace {

float MergeValue(float a, uint32_t aSamples, float b, uint32_t bSamples) {
    if (!ChartValuePresent(a))
        return ChartValuePresent(b) ? b : kChartMissing;
    if (!ChartValuePresent(b))
        return a;
    return float((double(a) * aSamples + double(b) * bSamples) / (double(aSamples) + bSamples));
}

ChartPoint Merge(const ChartPoint& a, const ChartPoint& b) {
    uint64_t samples = uint64_t(a.samples) + b.samples;
    uint64_t time =
        (uint64_t(a.seconds) * a.samples + uint64_t(b.seconds) * b.samples + samples / 2) / samples;
    return {uint32_t(time), uint32_t(samples), MergeValue(a.ticks, a.samples, b.ticks, b.samples),
            MergeValue(a.mhz, a.samples, b.mhz, b.samples)};
}

} // namespace

void AddChartFigures(ChartSeries& series, uint32_t seconds, float ticks, float mhz) {
    if (series.samplesPerPoint == 0)
        series.samplesPerPoint = 1;
    ChartPoint sample = {seconds, 1, ChartValuePresent(ticks) ? ticks : kChartMissing,
                         ChartValuePresent(mhz) ? mhz : kChartMissing};
    if (series.count > 0 && series.points[series.count - 1].samples < series.samplesPerPoint) {
        ChartPoint& last = series.points[series.count - 1];
        last = Merge(last, sample);
        return;
    }
    if (series.count == kChartCapacity) {
        // Every point is full here, so each pair weighs the same.
        for (int i = 0; i < kChartCapacity / 2; ++i)
            series.points[i] = Merge(series.points[2 * i], series.points[2 * i + 1]);
        series.count = kChartCapacity / 2;
        series.samplesPerPoint *= 2;
    }
    series.points[series.count++] = sample;
}
