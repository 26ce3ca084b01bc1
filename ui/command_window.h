#pragma once

#include "ui/window.h"

// A window that can also run dialogs bound to it, modeless or modal, and
// that routes the standard dialog-button commands (ids 1 to 7) to handlers.
// Closing it destroys its window.
class CommandWindow : public Window {
  public:
    CommandWindow();
    ~CommandWindow() override;

    // Destroys the window; Destroy's result.
    LRESULT OnClose() override;
    // Calls the dialog handler for ids 1 to 7, then the default's result.
    BOOL OnCommand(HWND control, UINT id, UINT code) override;

    // A modeless dialog bound to this object; FALSE if none was made.
    virtual BOOL CreateModeless(const char* templateName, HWND parent);
    // Runs a modal dialog bound to this object; the value given to End, or
    // DialogBoxParamA's failure value (0 when preparation failed).
    virtual int DoModal(const char* templateName, HWND parent);
    // Modal: EndDialog's result. Modeless: sends WM_CLOSE and returns TRUE.
    virtual BOOL End(int result);
    // End with IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE.
    virtual BOOL OnOk();
    virtual BOOL OnCancel();
    virtual BOOL OnYes();
    virtual BOOL OnNo();
    virtual BOOL OnAbort();
    virtual BOOL OnRetry();
    virtual BOOL OnIgnore();

    int modal; // 1 while DoModal runs
};

// The dialog procedure of every framework dialog: does nothing, so the
// dialog class's procedure and the object's handlers do the work.
INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
