#include "gfx/bitmap_helpers.h"
#include "recording_window.h"
#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <string>
#include <vector>

namespace {

typedef Recording<Window> TestWindow;

uint32_t Pixel(HBITMAP bitmap, int x, int y) {
    GdiFlush();
    BITMAP info = GetBitmapInfo(bitmap);
    return ((uint32_t*)((BYTE*)info.bmBits + y * info.bmWidthBytes))[x];
}

// DIB pixels hold red above blue; COLORREF holds it below.
uint32_t AsDibPixel(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// A 5 x 3 picture whose every pixel differs.
HBITMAP Picture() {
    HBITMAP bitmap = CreateDib(5, 3, 32);
    BITMAP info = GetBitmapInfo(bitmap);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            ((uint32_t*)((BYTE*)info.bmBits + y * info.bmWidthBytes))[x] =
                0x00200000u * (x + 1) + 0x00000500u * (y + 1) + 0x09u;
    return bitmap;
}

// A fresh canvas that WM_ERASEBKGND painted through a memory context; its
// pixels read as canvas(x, y), and deleted with it.
struct Erased {
    Erased(Window& window, int width, int height) : canvas(CreateDib(width, height, 32)) {
        WithDc(canvas, [&](HDC dc) { window.Send(WM_ERASEBKGND, (WPARAM)dc, 0); });
    }
    ~Erased() { DeleteObject(canvas); }
    uint32_t operator()(int x, int y) const { return Pixel(canvas, x, y); }
    HBITMAP canvas;
};

bool CreatePopup(Window& window, int width, int height) {
    return window.Create(0, nullptr, "erase", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                         nullptr);
}

TEST(EraseBackground, StretchesTheBitmapOverTheClientArea) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window, 60, 40));
    HBITMAP picture = Picture();
    window.SetBackgroundBitmap(picture);
    Erased canvas(window, 60, 40);
    const int rowCentres[3] = {6, 20, 33}; // 40 rows over 3
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Pixel(picture, x, y), canvas(12 * x + 6, rowCentres[y]));
    EXPECT_EQ(Pixel(picture, 4, 2), canvas(59, 39));
    // After a resize the next erase stretches to the new size.
    SetWindowPos(window.Handle(), nullptr, 0, 0, 25, 6, SWP_NOZORDER | SWP_NOMOVE);
    Erased resized(window, 30, 10);
    EXPECT_EQ(Pixel(picture, 4, 2), resized(24, 5));
    EXPECT_EQ(0u, resized(25, 5)) << "nothing beyond the client area";
    window.Destroy();
    DeleteObject(picture);
}

TEST(EraseBackground, FillsWithTheWindowOrWorkspaceColour) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window, 9, 7));
    EXPECT_EQ(AsDibPixel(GetSysColor(COLOR_WINDOW)), Erased(window, 9, 7)(8, 6));
    window.SetBackgroundColour(RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(0x00123456u, Erased(window, 9, 7)(0, 0));
    Recording<FrameWindow> frame;
    ASSERT_TRUE(CreatePopup(frame, 9, 7));
    EXPECT_EQ(AsDibPixel(GetSysColor(COLOR_APPWORKSPACE)), Erased(frame, 9, 7)(4, 3));
    frame.Destroy();
    TakeQuit();
}

TEST(EraseBackground, AProcedureThatErasesItselfKeepsItsOwnBackground) {
    const char* brushedClass = RegisterTestClass("BrushedTestWindow", DefWindowProcA);
    HWND brushed = CreateWindowExA(0, brushedClass, "", WS_POPUP, 0, 0, 8, 5, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(200, 10, 20));
    SetClassLongPtrA(brushed, GCLP_HBRBACKGROUND, (LONG_PTR)brush);
    TestWindow window;
    ASSERT_TRUE(window.Attach(brushed));
    HBITMAP picture = Picture();
    window.SetBackgroundBitmap(picture);
    EXPECT_EQ(0x00C80A14u, Erased(window, 8, 5)(3, 2));
    DeleteObject(picture);
    window.Destroy();
    UnregisterClassA(brushedClass, GetModuleHandleA(nullptr)); // the class brush is the test's
    DeleteObject(brush);
}

// The procedure underneath the subclassed windows below: notes each message
// with the id under test and answers it with kAnswer.
UINT theNoted = 0;
std::vector<std::string> theArrivals;
const LRESULT kAnswer = 0x5A;
LRESULT CALLBACK NoteArrival(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != theNoted)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    theArrivals.push_back(Note("arrived", message, wParam, lParam));
    return kAnswer;
}

// Ends nothing, so that a routed dialog command is still passed on underneath.
template <class Base> class Routing : public Recording<Base> {
  public:
    BOOL End(int result) override {
        this->calls.push_back(Note("end", result));
        return TRUE;
    }
};

// Each message, with halves that differ, reaches its handler split as it came
// and is passed on bit for bit (WM_INITDIALOG with 0 and 0, as documented).
TEST(PassingOn, EveryHandledMessageArrivesWholeAtTheHandlerAndUnderneath) {
    struct Row {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string call; // "" for none
        LRESULT result;
    };
    HWND other = (HWND)(UINT_PTR)0x00012345, control = (HWND)(UINT_PTR)0x00054321;
    HDC dc = CreateCompatibleDC(nullptr);
    CREATESTRUCTA create = {};
    create.lpszName = "made";
    const WPARAM mk = MAKEWPARAM(MK_LBUTTON | MK_SHIFT, 2);
    std::vector<Row> rows = {
        {WM_ACTIVATE, MAKEWPARAM(2, 9), (LPARAM)other, Note("activate", 2, 9, other), 0},
        {WM_ACTIVATEAPP, 0x30001, 0x7654321, Note("activate app", 0x30001, 0x7654321), 0},
        {WM_CLOSE, 0, 0, "close", 0},
        {WM_CREATE, 0, (LPARAM)&create, "create made", 0},
        {WM_ERASEBKGND, (WPARAM)dc, 0, Note("erase", dc), -1},
        {WM_INITDIALOG, (WPARAM)control, 0xABCDE, "init dialog", kAnswer},
        {WM_LBUTTONDOWN, mk, MAKELPARAM(0x8123, 0x45), Note("left down", 0x8123, 0x45, mk), 0},
        {WM_LBUTTONUP, mk, MAKELPARAM(0x45, 0xFFFE), Note("left up", 0x45, 0xFFFE, mk), 0},
        {WM_RBUTTONDOWN, mk, MAKELPARAM(0xFFFF, 0x7FF), Note("right down", 0xFFFF, 0x7FF, mk), 0},
        {WM_RBUTTONUP, mk, MAKELPARAM(0x7F80, 0x8001), Note("right up", 0x7F80, 0x8001, mk), 0},
        {WM_PAINT, (WPARAM)dc, 0, Note("paint", dc, 0), 0},
        {WM_TIMER, 0x7005, (LPARAM)NoteArrival, "", kAnswer},
        {WM_SETTEXT, 0x20001, (LPARAM) "new title", "", kAnswer},
        {WM_KEYDOWN, VK_F5, 0x003F0001, "", kAnswer},
        {WM_LBUTTONDBLCLK, mk, MAKELPARAM(0x8001, 0xFF), "", kAnswer},
        {WM_APP + 7, (WPARAM)-2, (LPARAM)(INT_PTR)-0x12345678, "", kAnswer},
    };
    for (UINT id : {1, 2, 3, 4, 5, 6, 7, 8, 0x1234}) // code and id never equal
        rows.push_back({WM_COMMAND, MAKEWPARAM(id, 0x300 + id), (LPARAM)control,
                        Note("command", control, id, 0x300 + id), 0});
    rows.push_back({WM_DESTROY, 0, 0, "destroy", 0}); // last: it unbinds

    const char* noting = RegisterTestClass("NotingTestWindow", NoteArrival);
    // A Window gets every row; the dialog routes (and the frame's, on top)
    // get the commands and end the dialog for ids 1 to 7 first.
    Recording<Window> window;
    Routing<CommandWindow> command;
    Routing<FrameWindow> frame;
    struct Kind {
        Window* object;
        std::vector<std::string>* calls;
        bool routes;
    };
    for (Kind kind : {Kind{&window, &window.calls, false}, Kind{&command, &command.calls, true},
                      Kind{&frame, &frame.calls, true}}) {
        HWND hwnd = CreateWindowExA(0, noting, "", WS_POPUP, 0, 0, 8, 5, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(kind.object->Attach(hwnd));
        for (const Row& row : rows) {
            if (kind.routes && row.message != WM_COMMAND)
                continue;
            SCOPED_TRACE(Note("sent", row.message, row.wParam, row.lParam));
            theNoted = row.message;
            theArrivals.clear();
            kind.calls->clear();
            EXPECT_EQ(row.result, SendMessageA(hwnd, row.message, row.wParam, row.lParam));
            std::vector<std::string> calls(row.call.empty() ? 0 : 1, row.call);
            if (kind.routes && LOWORD(row.wParam) <= IDNO)
                calls.push_back(Note("end", LOWORD(row.wParam)));
            EXPECT_EQ(calls, *kind.calls);
            bool zeroed = row.message == WM_INITDIALOG;
            EXPECT_EQ(std::vector<std::string>{Note("arrived", row.message, zeroed ? 0 : row.wParam,
                                                    zeroed ? 0 : row.lParam)},
                      theArrivals);
        }
        theNoted = 0;
        if (!kind.routes) { // WM_DESTROY unbound it and gave the window its procedure back
            ExpectUnbound(window);
            EXPECT_EQ((LONG_PTR)NoteArrival, GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
        }
        kind.object->Destroy();
        DestroyWindow(hwnd);
    }
    TakeQuit(); // the frame's destruction posts one
    DeleteDC(dc);
}

// A replaced procedure that refuses WM_CREATE refuses the window, also a
// frame window's, which leaves the frame list again.
LRESULT CALLBACK RefuseCreation(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_CREATE ? -1 : DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(CreateDefault, ARefusalFromTheReplacedProcedureRefusesTheWindow) {
    const char* refusing = RegisterTestClass("RefusingTestWindow", RefuseCreation);
    TestWindow window;
    Recording<FrameWindow> frame;
    for (Window* refused : {(Window*)&window, (Window*)&frame}) {
        EXPECT_FALSE(
            refused->Create(0, refusing, "", WS_POPUP, 0, 0, 9, 7, nullptr, nullptr, nullptr));
        EXPECT_EQ(nullptr, refused->Handle());
        EXPECT_EQ(0u, refused->backgroundColour) << "no defaults after a refusal";
    }
    EXPECT_EQ(nullptr, theFrameWindows);
    EXPECT_TRUE(TakeQuit()) << "the refused frame was the last one";
    UnregisterClassA(refusing, GetModuleHandleA(nullptr));
}

TEST(CloseDefault, PassedOnTheDefaultProcedureDestroysTheWindow) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window, 9, 7));
    HWND held = window.Handle();
    window.Send(WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(held));
    EXPECT_EQ(nullptr, window.Handle());
}

// Several in a row: a paint that kept its device context or region would
// make the next one take new ones, which the leak listener counts.
TEST(PaintDefault, PaintsLeaveNothingInvalidAndNoGdiObjectHeld) {
    TestWindow window;
    ASSERT_TRUE(CreatePopup(window, 40, 30));
    window.Show(SW_SHOWNOACTIVATE);
    for (int paint = 0; paint < 4; ++paint) {
        InvalidateRect(window.Handle(), nullptr, TRUE);
        window.calls.clear();
        UpdateWindow(window.Handle());
        ASSERT_FALSE(window.calls.empty());
        EXPECT_EQ("erase", window.calls.front().substr(0, 5));
        EXPECT_EQ("paint", window.calls.back().substr(0, 5));
        EXPECT_NE(nullptr, window.lastRegion);
        EXPECT_FALSE(GetUpdateRect(window.Handle(), nullptr, FALSE));
    }
    HDC dc = GetDC(window.Handle());
    window.Send(WM_ERASEBKGND, (WPARAM)dc, 0);
    ReleaseDC(window.Handle(), dc);
}

} // namespace
