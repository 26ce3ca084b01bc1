#include "chart/drawing.h"

#include "chart/processor_colour.h"
#include "gfx/bitmap_helpers.h"
#include "gfx/lines.h"
#include "gfx/pixel_surfaces.h"
#include "gfx/text_on_bitmap.h"
#include "util/text.h"

#include <string.h>

namespace {

const COLORREF kBackground = RGB(255, 255, 255);
const COLORREF kGrid = RGB(226, 226, 226);
const COLORREF kAxis = RGB(120, 120, 120);
const COLORREF kText = RGB(32, 32, 32);
const int kPad = 6;            // around the whole chart
const int kTickLength = 3;     // tick marks outside the axes
const int kLegendItem = 3;     // characters per legend entry: "63 "
const int kLongestLine = 2000; // DrawLine draws nothing longer

const char kTicksTitle[] = "Ticks per iteration";
const char kMhzTitle[] = "Clock rate, MHz";
const char kLegendLabel[] = "processors";
const char kNoFigures[] = "no figures yet";

// What tells the panels apart, top to bottom.
struct PanelKind {
    ChartPanel ChartLayout::*panel;
    float ChartPoint::*value;
    const char* title; // above the plot; none for the first, whose title heads the chart
    int fifths;        // of the plots' height
};
const int kPanelCount = 2;
const PanelKind kPanels[kPanelCount] = {
    {&ChartLayout::ticks, &ChartPoint::ticks, nullptr, 3},
    {&ChartLayout::mhz, &ChartPoint::mhz, kMhzTitle, 2},
};

// The layout with what only the drawing needs: the font cell and the legend.
struct Frame {
    ChartLayout layout;
    SIZE cell;
    const char* upperTitle;
    int legendX, legendY, legendPerRow;
};

// The panel's axis over every value present; `present` says whether there is one.
ValueAxis AxisFor(const ChartInput& input, float ChartPoint::*value, int height, int cellHeight,
                  bool* present) {
    double smallest = 1, largest = 0; // no data until a value turns up
    for (int i = 0; i < input.count; ++i)
        for (int j = 0; j < input.series[i].count; ++j) {
            float v = input.series[i].points[j].*value;
            if (!ChartValuePresent(v))
                continue;
            if (smallest > largest)
                smallest = largest = v;
            smallest = v < smallest ? v : smallest;
            largest = v > largest ? v : largest;
        }
    *present = smallest <= largest;
    return ChooseValueAxis(smallest, largest, height / (2 * cellHeight));
}

uint32_t LastTime(const ChartInput& input) {
    uint32_t last = input.runSeconds;
    for (int i = 0; i < input.count; ++i)
        for (int j = 0; j < input.series[i].count; ++j)
            if (input.series[i].points[j].seconds > last)
                last = input.series[i].points[j].seconds;
    return last;
}

int LabelChars(const ValueAxis& axis) {
    char text[32];
    FormatAxisValue(axis.low, axis.decimals, text);
    int chars = StrLength(text);
    FormatAxisValue(axis.high, axis.decimals, text);
    return StrLength(text) > chars ? StrLength(text) : chars;
}

// Places the legend and gives the header's lines. The legend follows the
// first title on its line when all of it fits there, otherwise it starts on
// the next line.
int PlaceLegend(Frame& frame, int width, int count) {
    int item = kLegendItem * frame.cell.cx;
    frame.legendX = kPad + int(strlen(frame.upperTitle) + 3 + sizeof kLegendLabel) * frame.cell.cx;
    frame.legendPerRow = (width - kPad - frame.legendX) / item;
    int titleLines = 0;
    if (frame.legendPerRow < count) {
        frame.legendX = kPad + int(sizeof kLegendLabel) * frame.cell.cx;
        frame.legendPerRow = (width - kPad - frame.legendX) / item;
        titleLines = 1;
    }
    if (frame.legendPerRow < 1)
        frame.legendPerRow = 1;
    frame.legendY = kPad + titleLines * frame.cell.cy;
    int rows = frame.layout.legendRows = (count + frame.legendPerRow - 1) / frame.legendPerRow;
    return titleLines + (rows > 0 ? rows : 1);
}

// The plots' tops and bottoms. Top to bottom: the header, then each plot with
// a line's height above for half its top label and its time labels below,
// after the first a gap and the next title. The plots share what is left.
void PlaceRows(ChartLayout& layout, int height, int headerLines, SIZE cell) {
    int timeLabels = kTickLength + 1 + cell.cy;
    int betweenPlots = timeLabels + cell.cy / 2 + 2 * cell.cy;
    int top = kPad + (headerLines + 1) * cell.cy;
    int plots = height - top - (kPanelCount - 1) * betweenPlots - timeLabels - kPad;
    plots = plots > 0 ? plots : 0;
    int above = 0; // fifths of the plots' height
    for (const PanelKind& kind : kPanels) {
        RECT& plot = (layout.*kind.panel).plot;
        plot = {0, top + plots * above / 5, 0, top + plots * (above + kind.fifths) / 5};
        above += kind.fifths;
        top += betweenPlots;
    }
}

// Each panel's axis; gives the characters of the longest value label.
int PlaceAxes(ChartLayout& layout, const ChartInput& input, int cellHeight) {
    int chars = 0;
    for (const PanelKind& kind : kPanels) {
        ChartPanel& panel = layout.*kind.panel;
        int rows = panel.plot.bottom - panel.plot.top;
        panel.axis = AxisFor(input, kind.value, rows, cellHeight, &panel.hasValues);
        chars = LabelChars(panel.axis) > chars ? LabelChars(panel.axis) : chars;
    }
    return chars;
}

// The plots' sides right of the value labels, each left empty where it does
// not fit, and the time axis across them.
void PlaceColumns(ChartLayout& layout, int width, int labelChars, uint32_t last, SIZE cell) {
    int left = kPad + labelChars * cell.cx + kTickLength + 2;
    int right = width - kPad - 3 * cell.cx; // room for half of the last time label
    for (const PanelKind& kind : kPanels) {
        RECT& plot = (layout.*kind.panel).plot;
        bool fits = right - left >= 2 && plot.bottom - plot.top >= 2;
        plot = fits ? RECT{left, plot.top, right, plot.bottom} : RECT{};
    }
    int plotWidth = right - left > 0 ? right - left : 0;
    layout.time = ChooseTimeAxis(last, plotWidth / (8 * cell.cx));
}

Frame LayOut(int width, int height, const ChartInput& input, SIZE cell) {
    Frame frame = {};
    frame.cell = cell;
    frame.upperTitle = input.upperTitle ? input.upperTitle : kTicksTitle;
    int headerLines = PlaceLegend(frame, width, input.count > 0 ? input.count : 0);
    PlaceRows(frame.layout, height, headerLines, cell);
    int labelChars = PlaceAxes(frame.layout, input, cell.cy);
    PlaceColumns(frame.layout, width, labelChars, LastTime(input), cell);
    return frame;
}

uint32_t PixelColour(COLORREF colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

bool Empty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

int Column(const RECT& plot, uint32_t seconds, uint32_t span) {
    if (seconds > span)
        seconds = span;
    uint64_t width = uint64_t(plot.right - plot.left - 1);
    return plot.left + int((uint64_t(seconds) * width * 2 + span) / (2 * uint64_t(span)));
}

int Row(const ChartPanel& panel, double value) {
    const ValueAxis& axis = panel.axis;
    int height = panel.plot.bottom - panel.plot.top;
    double rows = (value - axis.low) * (height - 1) / (axis.high - axis.low);
    int row = panel.plot.bottom - 1 - int(rows + 0.5);
    return row < panel.plot.top       ? panel.plot.top
           : row >= panel.plot.bottom ? panel.plot.bottom - 1
                                      : row;
}

// DrawLine in pieces short enough for it.
void Segment(int x0, int y0, int x1, int y1, uint32_t colour) {
    int dx = x1 - x0, dy = y1 - y0;
    if (dx > kLongestLine || -dx > kLongestLine || dy > kLongestLine || -dy > kLongestLine) {
        int xm = x0 + dx / 2, ym = y0 + dy / 2;
        Segment(x0, y0, xm, ym, colour);
        Segment(xm, ym, x1, y1, colour);
        return;
    }
    DrawLine(kChartSurfaceSlot, x0, y0, colour, x1, y1, colour);
}

// Joins each value to the previous one present: figures intervals without a
// cycles line are common where bursts are long, and leave no gap or dip.
void Lines(const ChartInput& input, const ChartPanel& panel, uint32_t span,
           float ChartPoint::*value) {
    if (Empty(panel.plot))
        return;
    for (int i = 0; i < input.count; ++i) {
        uint32_t colour = PixelColour(ProcessorColour(input.processors[i]));
        const ChartSeries& series = input.series[i];
        bool started = false;
        int x0 = 0, y0 = 0;
        for (int j = 0; j < series.count; ++j) {
            float v = series.points[j].*value;
            if (!ChartValuePresent(v))
                continue;
            int x = Column(panel.plot, series.points[j].seconds, span), y = Row(panel, v);
            Segment(started ? x0 : x, started ? y0 : y, x, y, colour);
            x0 = x, y0 = y, started = true;
        }
    }
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    RECT rect = {left, top, right, bottom};
    FillSolidRect(dc, &rect, colour);
}

// Grid, axes and tick marks of one panel.
void Axes(HDC dc, const ChartPanel& panel, const TimeAxis& time) {
    const RECT& p = panel.plot;
    if (Empty(p))
        return;
    for (int i = 0; i <= panel.axis.intervals; ++i) {
        int y = Row(panel, panel.axis.low + i * panel.axis.step);
        Fill(dc, p.left, y, p.right, y + 1, kGrid);
        Fill(dc, p.left - 1 - kTickLength, y, p.left - 1, y + 1, kAxis);
    }
    for (uint32_t k = 0; k <= time.span / time.step; ++k) {
        int x = Column(p, k * time.step, time.span);
        Fill(dc, x, p.top, x + 1, p.bottom, kGrid);
        Fill(dc, x, p.bottom, x + 1, p.bottom + 1 + kTickLength, kAxis);
    }
    Fill(dc, p.left - 1, p.top, p.left, p.bottom + 1, kAxis);
    Fill(dc, p.left - 1, p.bottom, p.right, p.bottom + 1, kAxis);
}

void Labels(HBITMAP dib, int width, const ChartPanel& panel, const TimeAxis& time, SIZE cell) {
    const RECT& p = panel.plot;
    if (Empty(p))
        return;
    char text[32];
    for (int i = 0; i <= panel.axis.intervals; ++i) {
        double value = panel.axis.low + i * panel.axis.step;
        FormatAxisValue(value, panel.axis.decimals, text);
        int x = p.left - 2 - kTickLength - StrLength(text) * cell.cx;
        DrawTextOnBitmap(dib, x, Row(panel, value) - cell.cy / 2, text, kText);
    }
    for (uint32_t k = 0; k <= time.span / time.step; ++k) {
        FormatAxisTime(k * time.step, text);
        int x = Column(p, k * time.step, time.span) - StrLength(text) * cell.cx / 2;
        if (x >= 0 && x + StrLength(text) * cell.cx <= width)
            DrawTextOnBitmap(dib, x, p.bottom + 1 + kTickLength, text, kText);
    }
}

// The first title and the legend.
void Header(HBITMAP dib, const Frame& frame, const ChartInput& input) {
    SIZE cell = frame.cell;
    DrawTextOnBitmap(dib, kPad, kPad, frame.upperTitle, kText);
    int labelX = frame.legendX - int(sizeof kLegendLabel) * cell.cx;
    DrawTextOnBitmap(dib, labelX, frame.legendY, kLegendLabel, kText);
    for (int i = 0; i < input.count; ++i) {
        char number[16];
        FormatAxisValue(input.processors[i], 0, number);
        int x = frame.legendX + i % frame.legendPerRow * kLegendItem * cell.cx;
        int y = frame.legendY + i / frame.legendPerRow * cell.cy;
        DrawTextOnBitmap(dib, x, y, number, ProcessorColour(input.processors[i]));
    }
}

void Texts(HBITMAP dib, int width, const Frame& frame, const ChartInput& input) {
    const ChartLayout& layout = frame.layout;
    SIZE cell = frame.cell;
    Header(dib, frame, input);
    for (const PanelKind& kind : kPanels) {
        const ChartPanel& panel = layout.*kind.panel;
        const RECT& p = panel.plot;
        if (kind.title)
            DrawTextOnBitmap(dib, kPad, p.top - 2 * cell.cy, kind.title, kText);
        Labels(dib, width, panel, layout.time, cell);
        if (!Empty(p) && !panel.hasValues)
            DrawTextOnBitmap(dib, p.left + cell.cx, p.top + cell.cy / 2, kNoFigures, kAxis);
    }
}

// The background with each panel's grid and axes.
void Background(HBITMAP dib, int width, int height, const ChartLayout& layout) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, dib);
    Fill(dc, 0, 0, width, height, kBackground);
    for (const PanelKind& kind : kPanels)
        Axes(dc, layout.*kind.panel, layout.time);
    SelectObject(dc, previous);
    DeleteDC(dc);
}

} // namespace

SIZE ChartFontCell() {
    SIZE cell = {8, 16};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    GetTextExtentPoint32A(dc, "0", 1, &cell);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return cell;
}

ChartLayout LayOutChart(int width, int height, const ChartInput& input, SIZE cell) {
    return LayOut(width, height, input, cell).layout;
}

BOOL DrawChart(HBITMAP dib, const ChartInput& input) {
    BITMAP info = GetBitmapInfo(dib);
    if (!info.bmBits || info.bmBitsPixel < 16 || info.bmWidth <= 0 || info.bmHeight <= 0)
        return FALSE;
    int width = info.bmWidth, height = info.bmHeight;
    Frame frame = LayOut(width, height, input, ChartFontCell());
    const ChartLayout& layout = frame.layout;

    Background(dib, width, height, layout);
    GdiFlush(); // the lines write the pixel memory directly

    HBITMAP bound = BindSurface(kChartSurfaceSlot, dib);
    for (const PanelKind& kind : kPanels)
        Lines(input, layout.*kind.panel, layout.time.span, kind.value);
    BindSurface(kChartSurfaceSlot, bound);

    Texts(dib, width, frame, input);
    GdiFlush();
    return TRUE;
}
