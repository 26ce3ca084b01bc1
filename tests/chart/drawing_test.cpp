#include "chart/drawing.h"

#include "chart/processor_colour.h"
#include "tests/chart/chart_pixel.h"
#include "gfx/bitmap_helpers.h"
#include "gfx/pixel_surfaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace {

ChartSeries theSeries[20]; // 640 KiB: off the stack

// The GDI handle slot handed out next: a leak changes it.
WORD NextGdiSlot() {
    HBRUSH probe = CreateSolidBrush(0);
    DeleteObject(probe);
    return LOWORD((ULONG_PTR)probe);
}

// A DIB deleted with its scope.
struct Dib {
    Dib(int width, int height, WORD bits = 32) : handle(CreateDib(width, height, bits)) {}
    ~Dib() { DeleteObject(handle); }
    operator HBITMAP() const { return handle; }
    HBITMAP handle;
};

typedef std::set<std::pair<int, int>> Pixels;

// The pixels of one colour inside a rectangle, and how many lie above it.
Pixels Find(const BITMAP& info, const RECT& rect, uint32_t colour, int* above = nullptr) {
    Pixels found;
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x) {
            if ((((const uint32_t*)info.bmBits)[y * info.bmWidth + x] & 0xFFFFFF) != colour)
                continue;
            if (PtInRect(&rect, POINT{x, y}))
                found.insert({x, y});
            else if (above && y < rect.top)
                ++*above;
        }
    return found;
}

int Row(const ChartPanel& panel, double v) {
    double rows = (v - panel.axis.low) * (panel.plot.bottom - panel.plot.top - 1) /
                  (panel.axis.high - panel.axis.low);
    return panel.plot.bottom - 1 - int(rows + 0.5);
}

// The row of value v in the panel's plot from the column of time `from` to its right edge.
Pixels LineRun(const ChartPanel& p, uint32_t span, double v, uint32_t from) {
    Pixels pixels;
    for (int x = p.plot.left + int(from * (p.plot.right - p.plot.left - 1.0) / span + 0.5);
         x < p.plot.right; ++x)
        pixels.insert({x, Row(p, v)});
    return pixels;
}

TEST(ChartDrawing, SeriesLandOnTheirPixelsInTheirOwnColours) {
    // Processor 2: ticks 10 (none at 5 min), 2000 MHz; processor 5: ticks 12 from 2 min, no MHz.
    theSeries[0] = theSeries[1] = {};
    for (uint32_t t = 0; t <= 600; t += 60) {
        AddChartFigures(theSeries[0], t, t == 300 ? kChartMissing : 10.0f, 2000.0f);
        if (t >= 120)
            AddChartFigures(theSeries[1], t, 12.0f, kChartMissing);
    }
    const int processors[2] = {2, 5};
    const ChartInput input = {theSeries, processors, 2, 590, nullptr}; // the figures reach 600 s
    const int width = 263, height = 197; // rows of 263 pixels: not a multiple of 4 bytes at 24
    Dib dib(width, height), other(3, 3);
    BindSurface(kChartSurfaceSlot, other);
    ASSERT_TRUE(DrawChart(dib, input)); // the first text output may set up what stays
    WORD gdiSlot = NextGdiSlot();
    ASSERT_TRUE(DrawChart(dib, input));
    EXPECT_EQ(gdiSlot, NextGdiSlot()) << "no GDI object left behind";
    EXPECT_EQ(other, BindSurface(kChartSurfaceSlot, nullptr)) << "the slot's binding put back";
    ChartLayout layout = LayOutChart(width, height, input, ChartFontCell());
    const ChartPanel &ticks = layout.ticks, &mhz = layout.mhz;
    ASSERT_GT(ticks.plot.bottom - ticks.plot.top, 20);
    ASSERT_GT(mhz.plot.bottom - mhz.plot.top, 10);
    EXPECT_EQ(600u, layout.time.span);
    EXPECT_LT(Row(ticks, 12), Row(ticks, 10)); // larger values higher up
    BITMAP info = GetBitmapInfo(dib);
    int legend2 = 0, legend5 = 0;
    // No dip where a value is missing.
    EXPECT_EQ(LineRun(ticks, 600, 10, 0), Find(info, ticks.plot, ChartPixel(2), &legend2));
    EXPECT_EQ(LineRun(ticks, 600, 12, 120), Find(info, ticks.plot, ChartPixel(5), &legend5));
    EXPECT_EQ(LineRun(mhz, 600, 2000, 0), Find(info, mhz.plot, ChartPixel(2)));
    EXPECT_TRUE(Find(info, mhz.plot, ChartPixel(5)).empty());
    EXPECT_GT(std::min(legend2, legend5), 5); // each number in the legend in its colour
    // Axes left of and below each plot; a grid line at the last time mark.
    auto count = [&](const RECT& r, uint32_t colour) { return int(Find(info, r, colour).size()); };
    for (const RECT& p : {ticks.plot, mhz.plot}) {
        uint32_t axis = RGB(120, 120, 120), grid = RGB(226, 226, 226); // greys: as pixels too
        EXPECT_EQ(p.bottom + 1 - p.top, count({p.left - 1, p.top, p.left, p.bottom + 1}, axis));
        EXPECT_EQ(p.right - p.left, count({p.left, p.bottom, p.right, p.bottom + 1}, axis));
        EXPECT_GT(count({p.right - 1, p.top, p.right, p.bottom}, grid), (p.bottom - p.top) / 2);
        EXPECT_EQ(p.right - p.left, count({p.left, p.top, p.right, p.top + 1}, grid)) << "top";
    }
    EXPECT_EQ(1, count({width - 1, 0, width, 1}, 0xFFFFFF)) << "on white";
    // 64 distinct colours, each 16 at its own brightness readable on white; the first 16 far apart.
    const double luma[4] = {0.42, 0.26, 0.48, 0.34};
    std::set<COLORREF> colours;
    for (int p = 0; p < 64; ++p) {
        COLORREF c = *colours.insert(ProcessorColour(p)).first;
        double y = 0.2126 * GetRValue(c) + 0.7152 * GetGValue(c) + 0.0722 * GetBValue(c);
        EXPECT_NEAR(luma[p / 16], y / 255, 0.01) << p;
        for (int q = 0; q < p && p < 16; ++q) {
            COLORREF d = ProcessorColour(q);
            int r = GetRValue(c) - GetRValue(d), g = GetGValue(c) - GetGValue(d),
                b = GetBValue(c) - GetBValue(d);
            EXPECT_GE(r * r + g * g + b * b, 25 * 25) << p << " and " << q;
        }
    }
    EXPECT_EQ(64u, colours.size());
}

// Each panel's title stands above its plot; the upper one names the input's figures.
TEST(ChartDrawing, PanelTitlesStandAboveTheirPlots) {
    theSeries[0] = {};
    AddChartFigures(theSeries[0], 0, 7.5f, 2096.0f);
    AddChartFigures(theSeries[0], 60, 7.6f, 2097.0f);
    const int processors[1] = {0};
    ChartInput input = {theSeries, processors, 1, 60, nullptr};
    Dib ticks(400, 300), burst(400, 300);
    ASSERT_TRUE(DrawChart(ticks, input));
    input.upperTitle = "Milliseconds a burst";
    ASSERT_TRUE(DrawChart(burst, input));
    SIZE cell = ChartFontCell();
    ChartLayout layout = LayOutChart(400, 300, input, cell);
    const uint32_t text = 0x202020;
    BITMAP a = GetBitmapInfo(ticks), b = GetBitmapInfo(burst);
    RECT header = {0, 0, 400, layout.ticks.plot.top - cell.cy};
    RECT clock = {0, layout.mhz.plot.top - 2 * cell.cy, 400, layout.mhz.plot.top - cell.cy};
    EXPECT_GT(Find(a, header, text).size(), 20u);
    EXPECT_NE(Find(a, header, text), Find(b, header, text)) << "another title";
    EXPECT_GT(Find(a, clock, text).size(), 20u) << "the clock panel's title above it";
    EXPECT_EQ(Find(a, clock, text), Find(b, clock, text));
}

TEST(ChartDrawing, AnySizeDrawsWhatFitsAndIndexedBitmapsAreRefused) {
    theSeries[0] = {};
    AddChartFigures(theSeries[0], 0, 7.5f, 2096.0f);
    AddChartFigures(theSeries[0], 60, 7.5f, 2096.0f);
    const int numbers[20] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    const ChartInput input = {theSeries, numbers, 1, 60,
                              nullptr}; // processor 0; the legend has all 20
    const int sizes[][3] = {{1, 1, 32}, {7, 3, 24}, {40, 30, 16}, {97, 61, 32}}; // and bits
    for (const auto& size : sizes)
        EXPECT_TRUE(DrawChart(Dib(size[0], size[1], WORD(size[2])), input)) << size[0];
    // Wider than one DrawLine reaches: the line still spans the plot.
    Dib wide(2300, 150);
    ASSERT_TRUE(DrawChart(wide, input));
    const RECT& plot = LayOutChart(2300, 150, input, ChartFontCell()).ticks.plot;
    EXPECT_EQ(size_t(plot.right - plot.left),
              Find(GetBitmapInfo(wide), plot, ChartPixel(0)).size());
    // Taller than one DrawLine reaches: a rise and a fall, each a pixel a row.
    theSeries[0] = {};
    for (uint32_t t : {0u, 30u, 60u})
        AddChartFigures(theSeries[0], t, t == 30 ? 10.0f : 1.0f, 2096.0f);
    Dib tall(120, 4300);
    ASSERT_TRUE(DrawChart(tall, input));
    const ChartPanel ticks = LayOutChart(120, 4300, input, ChartFontCell()).ticks;
    int rows = Row(ticks, 1) - Row(ticks, 10); // both over 2000; they share some pixels
    EXPECT_GT(Find(GetBitmapInfo(tall), ticks.plot, ChartPixel(0)).size(), size_t(3 * rows / 2));
    // 20 processors: the legend wraps, every number on the bitmap in its colour.
    std::fill(theSeries, theSeries + 20, ChartSeries{});
    const ChartInput legend = {theSeries, numbers, 20, 60, nullptr};
    Dib dib(263, 197);
    ASSERT_TRUE(DrawChart(dib, legend));
    const RECT header = {0, 0, 263, LayOutChart(263, 197, legend, ChartFontCell()).ticks.plot.top};
    for (int p : numbers)
        EXPECT_GT(Find(GetBitmapInfo(dib), header, ChartPixel(p)).size(), 5u) << p;
    EXPECT_FALSE(DrawChart(Dib(20, 20, 8), input) || DrawChart(nullptr, input)) << "8 bits, none";
}

} // namespace
