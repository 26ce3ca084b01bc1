#include "cores/cores_run.h"
#include "cores/cores_window.h"

#include <gtest/gtest.h>

namespace {

void Ignore(void*, const LogRow&) {}

// The table above, the chart below it at the rest of the client area, drawn
// again at every resize and released with the window object.
TEST(CoresWindow, TheChartFillsTheSpaceBelowTheTableAtEverySize) {
    StartJudge(&theCoresRun.judge, 0x5, 10, false, {Ignore, nullptr});
    StartRunChart(&theCoresRun.chart, 0x5);
    HBITMAP drawn = nullptr;
    {
        CoresWindow window;
        ASSERT_TRUE(window.Create(0, nullptr, "Vesko Cores", WS_POPUP, 0, 0, 331, 457, nullptr,
                                  nullptr, nullptr));
        window.Show(SW_SHOWNOACTIVATE);
        window.Update();
        SIZE first = window.ChartSize();
        EXPECT_EQ(331, first.cx);
        EXPECT_GT(first.cy, 100);
        EXPECT_LT(first.cy, 457 - 50) << "below the table";
        SetWindowPos(window.Handle(), nullptr, 0, 0, 283, 529, SWP_NOZORDER | SWP_NOMOVE);
        window.Update();
        EXPECT_EQ(283, window.ChartSize().cx);
        EXPECT_EQ(first.cy + 72, window.ChartSize().cy) << "the table kept its height";
        drawn = window.chart;
        EXPECT_EQ(DWORD(OBJ_BITMAP), GetObjectType(drawn));
        window.Destroy();
        MSG quit; // the last frame window leaving posts one
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    EXPECT_EQ(0u, GetObjectType(drawn)) << "released with the window object";
}

} // namespace
