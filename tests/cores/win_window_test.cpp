#include "cores/win_run.h"
#include "cores/win_clock.h"
#include "cores/win_window.h"
#include "chart/processor_colour.h"
#include "cores/win_tool_process.h"
#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// The chart fills the client area below the table, drawn at each resize, freed with the window.
TEST(CoresWindow, TheChartFillsTheSpaceBelowTheTableAtEverySize) {
    CoresRun* run = new CoresRun(); // zeroed: no tool
    StartJudge(&run->judge, 0x5, 10, false, {[](void*, const LogRow&) {}, nullptr});
    StartRunChart(&run->chart, 0x5);
    StartClock(&run->clock, AwakeMilliseconds, WallMilliseconds, 0); // closing ends the run
    HBITMAP drawn = nullptr;
    {
        CoresWindow window(run);
        EXPECT_EQ(800, window.ChartSize().cx) << "a default before the first paint";
        ASSERT_TRUE(window.Create(0, nullptr, "Vesko Cores", WS_POPUP, 0, 0, 331, 457, nullptr,
                                  nullptr, nullptr));
        EXPECT_EQ(nullptr, FindProcessWindow(GetCurrentProcessId())) << "not yet visible";
        window.Show(SW_SHOWNOACTIVATE);
        EXPECT_EQ(window.Handle(), FindProcessWindow(GetCurrentProcessId()));
        window.Update();
        SIZE first = window.ChartSize();
        EXPECT_EQ(331, first.cx);
        EXPECT_GT(first.cy, 100);
        EXPECT_LT(first.cy, 457 - 50) << "below the table";
        const int table = 457 - first.cy; // the table's height
        // Read back: each row in its processor's chart colour, the chart's grid below.
        HBITMAP shot = CreateDib(331, 457, 32);
        HDC windowDc = GetDC(window.Handle());
        WithDc(shot, [&](HDC copy) { BitBlt(copy, 0, 0, 331, 457, windowDc, 0, 0, SRCCOPY); });
        ReleaseDC(window.Handle(), windowDc);
        const uint32_t* pixels = (const uint32_t*)GetBitmapInfo(shot).bmBits;
        for (COLORREF c : {ProcessorColour(0), ProcessorColour(2)}) {
            uint32_t colour = RGB(GetBValue(c), GetGValue(c), GetRValue(c)); // as DIB pixels
            std::set<uint32_t> row; // the table's lines holding that colour
            for (const uint32_t* line = pixels; line < pixels + table * 331; line += 331)
                if (std::count(line, line + 331, colour))
                    row.insert(line, line + 331);
            EXPECT_EQ(1u, row.count(0)) << c << ": and its cells in black";
        }
        EXPECT_TRUE(std::count(pixels + table * 331, pixels + 457 * 331, 0xE2E2E2u)) << "its grid";
        DeleteObject(shot);
        // The table keeps its height; with no room below it (also none at all), the default size.
        for (int height : {529, 40, table, 529}) {
            SetWindowPos(window.Handle(), nullptr, 0, 0, 283, height, SWP_NOZORDER | SWP_NOMOVE);
            window.Update();
            EXPECT_EQ(height > table ? 283 : 800, window.ChartSize().cx) << height;
            EXPECT_EQ(height > table ? first.cy + 72 : 500, window.ChartSize().cy) << height;
        }
        EXPECT_EQ(DWORD(OBJ_BITMAP), GetObjectType(drawn = window.chart));
        window.Invalidate(nullptr, FALSE);
        window.Update();
        EXPECT_EQ(drawn, window.chart) << "no new figures: the chart is kept";
        // Every 8th poll repaints the table, and the chart as well once figures arrived.
        window.saving = true; // a run with no tool would end at its first poll
        for (uint32_t figures : {0u, 1u}) {
            run->chart.version += figures;
            for (int poll = 0; poll < 8; ++poll)
                window.Poll();
            RECT due = {};
            GetUpdateRect(window.Handle(), &due, FALSE);
            EXPECT_EQ(figures ? 529 : window.chartTop, due.bottom) << figures;
            window.Update();
        }
        window.saving = false;
        HWND handle = window.Handle();
        window.Send(WM_COMMAND, kCloseFrameCommand, 0); // other commands reach the frame
        EXPECT_FALSE(IsWindow(handle));
        MSG quit; // the last frame window leaving posts one
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    EXPECT_EQ(0u, GetObjectType(drawn)) << "released with the window object";
    delete run;
}

} // namespace
