#include "cores/cores_run.h"
#include "cores/cores_window.h"
#include "cores/tool_process.h"

#include <gtest/gtest.h>

namespace {

// The table above, the chart below it at the rest of the client area, drawn
// again at every resize and released with the window object.
TEST(CoresWindow, TheChartFillsTheSpaceBelowTheTableAtEverySize) {
    StartJudge(&theCoresRun.judge, 0x5, 10, false, {[](void*, const LogRow&) {}, nullptr});
    StartRunChart(&theCoresRun.chart, 0x5);
    HBITMAP drawn = nullptr;
    {
        CoresWindow window;
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
        // The table keeps its height; with no room below it, the default size.
        for (int height : {529, 40, 529}) {
            SetWindowPos(window.Handle(), nullptr, 0, 0, 283, height, SWP_NOZORDER | SWP_NOMOVE);
            window.Update();
            EXPECT_EQ(height > 40 ? 283 : 800, window.ChartSize().cx) << height;
            EXPECT_EQ(height > 40 ? first.cy + 72 : 500, window.ChartSize().cy) << height;
        }
        drawn = window.chart;
        EXPECT_EQ(DWORD(OBJ_BITMAP), GetObjectType(drawn));
        window.Invalidate(nullptr, FALSE);
        window.Update();
        EXPECT_EQ(drawn, window.chart) << "no new figures: the chart is kept";
        HWND handle = window.Handle();
        window.Send(WM_COMMAND, kCloseFrameCommand, 0); // other commands reach the frame
        EXPECT_FALSE(IsWindow(handle));
        MSG quit; // the last frame window leaving posts one
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    EXPECT_EQ(0u, GetObjectType(drawn)) << "released with the window object";
}

} // namespace
