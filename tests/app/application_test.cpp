// The tool as a user meets it: started as its own process, watched and
// closed from outside.
#include "gfx/bitmap_helpers.h"
#include "res/resource_ids.h"
#include "real_burst.h"
#include "tests/gfx/bound_dib.h"
#include "tool_process.h"

#include <gtest/gtest.h>

#include <x86intrin.h>

#include <regex>
#include <string>
#include <vector>

namespace {

// One run of the tool; closed (or, failing that, killed) at the end. Waits
// count the tool's bursts, through its title.
class ToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        burstBudgetMs = BurstBudgetMs(); // measured before the tool competes for the processor
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(ToolPath().c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process));
        for (int i = 0; i < 1000 && !window; ++i, Sleep(10))
            window = FindToolWindow(process.dwProcessId);
        ASSERT_TRUE(window) << "the tool's window did not appear";
        NoteTitle();
    }

    void TearDown() override {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT &&
            CloseAndWait() == STILL_ACTIVE)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    // Polls the title and the tool's priority class until `bursts` more
    // titles have appeared or, with stopAtRealTime, until the class is first
    // seen real-time. How many samples were real-time; -1 on time-out. (A
    // line that repeats the one before is not seen: the budget allows it.)
    int Watch(int bursts, bool stopAtRealTime = false) {
        int realTime = 0;
        DWORD start = GetTickCount();
        for (size_t wanted = titles.size() + bursts; titles.size() < wanted;) {
            if (GetTickCount() - start > DWORD(bursts + 1) * burstBudgetMs)
                return -1;
            // The class first: a title set just before it rose is still noted.
            bool seen = GetPriorityClass(process.hProcess) == REALTIME_PRIORITY_CLASS;
            realTime += seen;
            NoteTitle();
            if (seen && stopAtRealTime)
                break;
            Sleep(1);
        }
        return realTime;
    }

    void NoteTitle() {
        char title[256] = "";
        GetWindowTextA(window, title, sizeof title);
        if (titles.empty() || titles.back() != title)
            titles.push_back(title);
    }

    // Sent, not posted: the mark has moved when this returns. Of the bursts
    // begun before, only the one whose title is still to come can remain.
    void Choose(UINT command) {
        SendMessageTimeoutA(window, WM_COMMAND, command, 0, SMTO_NORMAL, burstBudgetMs, nullptr);
        NoteTitle();
    }

    // A fixed bound: shutdown cuts a burst in progress short after a second.
    DWORD CloseAndWait() {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 5000));
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    std::vector<std::string> titles;
    DWORD burstBudgetMs = 0;
};

const std::regex kCyclesLine(R"(Vesko 23 instructions in \d+\.\d\d CPU CLOCKS)");
// Either line: which one a burst shows depends on the second it ends in.
const std::regex kClockLine(R"(Vesko \d\d:[0-5]\d:[0-5]\d at \d+\.\d MHz)");

// Closed during its first burst, where bursts are long.
TEST_F(ToolTest, ShowsThePictureAndClosesWithCodeZero) {
    // Answered from the message loop, after start-up has painted the window.
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, burstBudgetMs, nullptr);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_NEAR(256, client.right, 1);
    EXPECT_NEAR(256, client.bottom, 1);
    // The client area (read back from the window) is picture 101 stretched over it.
    HMODULE resources = ToolResources();
    HBITMAP picture = (HBITMAP)LoadImageA(resources, MAKEINTRESOURCEA(PICTURE_BITMAP), IMAGE_BITMAP,
                                          0, 0, LR_CREATEDIBSECTION);
    HBITMAP expected = CreateDib(client.right, client.bottom, 32),
            shown = CreateDib(client.right, client.bottom, 32);
    StretchBitmapToBitmap(expected, 0, 0, 0, 0, picture, 0, 0, 0, 0);
    BITMAP want = GetBitmapInfo(expected), got = GetBitmapInfo(shown);
    int differing = -1;
    // Wine may map the window, and paint it again, after start-up: look a few times.
    for (int look = 0; look < 50 && differing != 0; ++look) {
        Sleep(look ? 100 : 0);
        HDC windowDc = GetDC(window);
        WithDc(shown, [&](HDC dc) {
            BitBlt(dc, 0, 0, client.right, client.bottom, windowDc, 0, 0, SRCCOPY);
        });
        ReleaseDC(window, windowDc);
        differing = 0;
        for (int i = 0; i < client.right * client.bottom; ++i)
            differing +=
                (((DWORD*)want.bmBits)[i] & 0xFFFFFF) != (((DWORD*)got.bmBits)[i] & 0xFFFFFF);
    }
    EXPECT_EQ(0, differing) << "pixels unlike the picture, e.g. " << std::hex
                            << ((DWORD*)got.bmBits)[1000] << " for " << ((DWORD*)want.bmBits)[1000];
    for (HBITMAP bitmap : {expected, shown, picture})
        DeleteObject(bitmap);
    FreeLibrary(resources);

    EXPECT_EQ(0u, CloseAndWait());
}

TEST_F(ToolTest, StatusLinesAndHighPriorityBurstsInTheRealTimeClass) {
    ASSERT_EQ(0, Watch(1)) << "Normal Priority is checked at start";
    // The first status line, after the first burst, is the cycles line
    // (where bursts are short, any missed are still at second 0).
    size_t first = titles[0] == "Vesko";
    EXPECT_TRUE(std::regex_match(titles[first], kCyclesLine)) << "first line: " << titles[first];
    Choose(HIGH_PRIORITY_COMMAND);
    EXPECT_GT(Watch(2, true), 0) << "the next burst runs in the real-time class";
    Choose(NORMAL_PRIORITY_COMMAND);
    ASSERT_GE(Watch(1), 0) << "the burst in progress ends";
    EXPECT_EQ(0, Watch(1)) << "and the next one runs at the normal class";
    for (size_t i = first; i < titles.size(); ++i)
        EXPECT_TRUE(std::regex_match(titles[i], kCyclesLine) ||
                    std::regex_match(titles[i], kClockLine))
            << titles[i];

    Choose(HIGH_PRIORITY_COMMAND);
    ASSERT_GT(Watch(2, true), 0);
    EXPECT_EQ(0u, CloseAndWait()) << "closed during a high-priority burst";
}

// The clock rate is the time stamp counter's, as this process measures it too.
TEST_F(ToolTest, TheClockRateLineGivesTheCountersRate) {
    double mhz = 0; // from the first clock rate line
    for (int i = 0; i < 200 && Watch(1) >= 0; ++i)
        if (sscanf(titles.back().c_str(), "Vesko %*d:%*d:%*d at %lf MHz", &mhz) == 1)
            break;
    LARGE_INTEGER frequency, from, to;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&from);
    unsigned long long ticks = __rdtsc();
    do
        QueryPerformanceCounter(&to);
    while (to.QuadPart - from.QuadPart < frequency.QuadPart / 5);
    double seconds = double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
    double reference = double(__rdtsc() - ticks) * 1e-6 / seconds;
    EXPECT_NEAR(reference, mhz, reference / 4) << titles.back();
}

TEST(ToolResources, MenuPictureAndIcon) {
    HMODULE resources = ToolResources();
    ASSERT_TRUE(resources);
    HMENU menu = LoadMenuA(resources, MAKEINTRESOURCEA(SETTINGS_MENU));
    ASSERT_TRUE(menu);
    char text[64];
    ASSERT_EQ(1, GetMenuItemCount(menu));
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&Settings", text);
    HMENU settings = GetSubMenu(menu, 0);
    ASSERT_EQ(2, GetMenuItemCount(settings));
    EXPECT_EQ(UINT(NORMAL_PRIORITY_COMMAND), GetMenuItemID(settings, 0));
    EXPECT_EQ(UINT(HIGH_PRIORITY_COMMAND), GetMenuItemID(settings, 1));
    GetMenuStringA(settings, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&Normal Priority", text);
    GetMenuStringA(settings, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&High Priority", text);
    EXPECT_EQ(0u, GetMenuState(settings, 0, MF_BYPOSITION)) << "unchecked in the resource";
    EXPECT_EQ(0u, GetMenuState(settings, 1, MF_BYPOSITION));
    DestroyMenu(menu);

    HRSRC found = FindResourceA(resources, MAKEINTRESOURCEA(PICTURE_BITMAP), (LPCSTR)RT_BITMAP);
    ASSERT_TRUE(found);
    const BITMAPINFOHEADER* header =
        (const BITMAPINFOHEADER*)LockResource(LoadResource(resources, found));
    EXPECT_EQ(256, header->biWidth);
    EXPECT_EQ(256, header->biHeight) << "bottom-up";
    EXPECT_EQ(24, header->biBitCount);
    EXPECT_EQ(DWORD(BI_RGB), header->biCompression);

    found = FindResourceA(resources, MAKEINTRESOURCEA(APPLICATION_ICON), (LPCSTR)RT_GROUP_ICON);
    ASSERT_TRUE(found);
    const BYTE* group = (const BYTE*)LockResource(LoadResource(resources, found));
    // One image, 32 x 32, of 16 colours.
    EXPECT_EQ(std::string("\1\0\x20\x20\x10", 5), std::string((const char*)group + 4, 5));
    FreeLibrary(resources);
}

} // namespace
