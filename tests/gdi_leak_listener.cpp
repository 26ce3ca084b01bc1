// Fails every test that leaves a GDI object behind, naming the test and the
// kinds of object. GetGuiResources counts nothing under Wine, so the check
// takes a census of the handle table's slots instead: Wine answers
// GetObjectType for a handle given by its slot alone (elsewhere the census
// finds nothing and the check says it is off). Counts per kind, not slots, are
// compared: the system replaces some objects it keeps (a cached device
// context's visible region) by new ones in other slots.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>
#include <string>

namespace {

const int kKinds = 16; // OBJ_PEN (1) to OBJ_COLORSPACE (14)

struct Census {
    int counts[kKinds];
};

Census TakeCensus() {
    Census census = {};
    for (ULONG_PTR slot = 1; slot <= 0xFFFF; ++slot) {
        DWORD kind = GetObjectType((HGDIOBJ)slot);
        if (kind && kind < kKinds) // 0: a free slot
            ++census.counts[kind];
    }
    return census;
}

// By OBJ_ value.
const char* const kKindNames[kKinds] = {"?",           "pen",      "brush",        "device context",
                                        "metafile DC", "palette",  "font",         "bitmap",
                                        "region",      "metafile", "memory DC",    "pen (ext)",
                                        "EMF DC",      "EMF",      "colour space", "?"};

// The objects the system makes once and keeps for the process (the screen's
// and windows' cached device contexts with their regions, system colour
// brushes and pens, font and window-surface bitmaps), made before the first
// test so that it is not blamed for them.
void WarmUpSystemCaches() {
    for (int index = 0; index <= COLOR_MENUBAR; ++index)
        GetSysColorBrush(index);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 8, 8);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    for (int font : {SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT}) {
        SelectObject(dc, GetStockObject(font));
        TextOutA(dc, 0, 0, "Ag", 2);
    }
    StretchBlt(dc, 0, 0, 8, 8, dc, 0, 0, 4, 4, SRCCOPY);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    // A window with controls, shown, painted, resized and drawn on.
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 90, 60, nullptr,
                                  nullptr, instance, nullptr);
    for (const char* control : {"EDIT", "BUTTON"})
        CreateWindowExA(0, control, "Ag", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 40, 20, window,
                        nullptr, instance, nullptr);
    SetWindowPos(window, nullptr, 0, 0, 120, 80, SWP_NOZORDER | SWP_NOMOVE);
    UpdateWindow(window);
    HDC dcs[8]; // as many at once as a message box's painting holds
    for (HDC& held : dcs)
        held = GetDC(window);
    for (HDC held : dcs)
        ReleaseDC(window, held);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    DestroyWindow(window);
}

// Whether the census sees a brush made for it.
bool CensusWorks() {
    Census before = TakeCensus();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    bool seen = TakeCensus().counts[OBJ_BRUSH] == before.counts[OBJ_BRUSH] + 1;
    DeleteObject(brush);
    return seen;
}

class GdiLeakListener : public testing::EmptyTestEventListener {
    void OnTestProgramStart(const testing::UnitTest&) override {
        WarmUpSystemCaches();
        active = CensusWorks();
        if (active)
            return;
        // Under Wine it must work; elsewhere the system may hide the objects.
        if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
            ADD_FAILURE() << "the GDI census sees no objects: the leak check cannot work";
        else
            printf("GDI leak check off: GetObjectType does not answer for slots here\n");
    }

    void OnTestStart(const testing::TestInfo&) override {
        if (active)
            before = TakeCensus();
    }

    void OnTestEnd(const testing::TestInfo& test) override {
        if (!active)
            return;
        // The system frees some objects only once pending paints and its own
        // events are handled: a surplus is counted again a few times.
        std::string left = Surplus(TakeCensus());
        for (int retry = 0; retry < 5 && !left.empty(); ++retry) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(20);
            left = Surplus(TakeCensus());
        }
        if (!left.empty())
            ADD_FAILURE() << test.test_suite_name() << "." << test.name()
                          << " left GDI objects behind: " << left;
    }

    // The kinds with more objects than before the test, and how many more.
    std::string Surplus(const Census& after) const {
        std::string left;
        for (int kind = 0; kind < kKinds; ++kind)
            if (after.counts[kind] > before.counts[kind])
                left += (left.empty() ? "" : ", ") +
                        std::to_string(after.counts[kind] - before.counts[kind]) + " " +
                        kKindNames[kind];
        return left;
    }

    bool active = false;
    Census before;
};

const bool theListenerAdded =
    (testing::UnitTest::GetInstance()->listeners().Append(new GdiLeakListener), true);

} // namespace
