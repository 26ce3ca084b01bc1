#pragma once

#include <windows.h>

// A window object: stands for at most one Windows window and receives that
// window's messages as calls of its virtual operations, through WindowProc.
// The virtual operations keep one fixed order across the whole family.
// The object owns its window (the destructor destroys it) but not its
// background bitmap.
class Window {
  public:
    Window();
    virtual ~Window();

    // Creates the window bound to this object before its first message; a
    // window it still holds is destroyed first. Null class: "Window". TRUE
    // when a window was made (bound or not).
    virtual BOOL Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                        int y, int width, int height, HWND parent, HMENU menu, void* param);
    // Destroys the bound window; FALSE when there is none or DestroyWindow failed.
    virtual BOOL Destroy();
    // Binds an existing window by subclassing it; FALSE if it cannot be.
    virtual BOOL Attach(HWND window);
    // Unbinds, restoring the old procedure if ours is still current; the
    // handle that was held.
    virtual HWND Detach();

    virtual BOOL Post(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
    virtual RECT ClientRect();
    virtual int ClientWidth();
    virtual int ClientHeight();
    virtual RECT WindowRect(); // screen coordinates
    virtual int WindowWidth();
    virtual int WindowHeight();
    // Safe from another thread: delivered as a sent WM_SETTEXT.
    virtual BOOL SetText(const char* newText);
    // Refreshes and returns `text`.
    virtual char* GetText();
    // Repaints the whole client area.
    virtual BOOL Redraw(BOOL erase);
    virtual BOOL Invalidate(const RECT* rect, BOOL erase); // null: whole client area
    virtual HWND Parent();
    // Null caption: the window text.
    virtual int ShowMessage(const char* message, const char* caption, UINT type);
    // Not owned; no repaint.
    virtual void SetBackgroundBitmap(HBITMAP bitmap);
    virtual LRESULT SetFont(HFONT font);
    virtual BOOL SetMenuBar(HMENU menu);
    // Stores the colour and repaints with erasing.
    virtual BOOL SetBackgroundColour(COLORREF colour);
    virtual BOOL Show(int showCommand);
    virtual BOOL Update();
    // The bound window, or null; safe from another thread.
    virtual HWND Handle();
    virtual HWND GetItem(int id);
    virtual int GetItemInt(int id);
    virtual int GetItemText(int id, char* buffer, int size);
    virtual BOOL SetItemInt(int id, int value);
    virtual BOOL SetItemText(int id, const char* itemText);

    // Handlers. Each default passes its message on with ForwardMessage.
    // The forward's result.
    virtual LRESULT OnActivate(UINT state, UINT minimized, HWND other);
    // The forward's result.
    virtual LRESULT OnActivateApp(WPARAM active, LPARAM threadId);
    // The forward's result.
    virtual LRESULT OnClose();
    // Nonzero: handled (the default: the forward returned 0).
    virtual BOOL OnCommand(HWND control, UINT id, UINT code);
    // Zero refuses the creation. The default sets the GUI font and the window colour.
    virtual BOOL OnCreate(CREATESTRUCTA* create);
    // The forward's result.
    virtual LRESULT OnDestroy();
    // Nonzero when the background was drawn; the default stretches the
    // background bitmap or fills with the background colour.
    virtual LRESULT OnEraseBackground(HDC dc);
    // The forward's result (focus handling as WM_INITDIALOG's).
    virtual LRESULT OnInitDialog();
    // The forward's result; coordinates are unsigned 16-bit client positions.
    virtual LRESULT OnLeftButtonDown(UINT x, UINT y, WPARAM keys);
    virtual LRESULT OnLeftButtonUp(UINT x, UINT y, WPARAM keys);
    virtual LRESULT OnRightButtonDown(UINT x, UINT y, WPARAM keys);
    virtual LRESULT OnRightButtonUp(UINT x, UINT y, WPARAM keys);
    // The forward's result; a null region means the whole client area.
    virtual LRESULT OnPaint(HDC dc, HRGN region);

    HWND hwnd;
    HBITMAP backgroundBitmap; // not owned
    COLORREF backgroundColour;
    char text[256];
    Window* nextWindow; // link of the pending or the attached list
    WNDPROC previousProc;
};

// The procedure of class "Window" and of every subclassed window.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Passes a message on to the replaced procedure, or to DefWindowProcA.
LRESULT ForwardMessage(Window* object, UINT message, WPARAM wParam, LPARAM lParam);
