#include "ui/command_window.h"

#include "ui/window_binding.h"

CommandWindow::CommandWindow() : modal(0) {}

CommandWindow::~CommandWindow() {}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

LRESULT CommandWindow::OnClose() {
    return Destroy();
}

BOOL CommandWindow::OnCommand(HWND control, UINT id, UINT code) {
    switch (id) {
    case IDOK:
        OnOk();
        break;
    case IDCANCEL:
        OnCancel();
        break;
    case IDABORT:
        OnAbort();
        break;
    case IDRETRY:
        OnRetry();
        break;
    case IDIGNORE:
        OnIgnore();
        break;
    case IDYES:
        OnYes();
        break;
    case IDNO:
        OnNo();
        break;
    }
    return Window::OnCommand(control, id, code);
}

BOOL CommandWindow::CreateModeless(const char* templateName, HWND parent) {
    Destroy();
    if (!PrepareCreation(this))
        return FALSE;
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), templateName, parent, EmptyDialogProc, 0);
    FinishCreation(this);
    ForgetRefusedWindow(this);
    if (dialog != hwnd)
        Attach(dialog);
    return dialog != nullptr;
}

int CommandWindow::DoModal(const char* templateName, HWND parent) {
    Destroy();
    if (!PrepareCreation(this))
        return 0;
    modal = 1;
    INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), templateName, parent, EmptyDialogProc, 0);
    FinishCreation(this);
    ForgetRefusedWindow(this);
    modal = 0;
    return (int)result;
}

BOOL CommandWindow::End(int result) {
    if (modal)
        return EndDialog(hwnd, result);
    Send(WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL CommandWindow::OnOk() {
    return End(IDOK);
}

BOOL CommandWindow::OnCancel() {
    return End(IDCANCEL);
}

BOOL CommandWindow::OnYes() {
    return End(IDYES);
}

BOOL CommandWindow::OnNo() {
    return End(IDNO);
}

BOOL CommandWindow::OnAbort() {
    return End(IDABORT);
}

BOOL CommandWindow::OnRetry() {
    return End(IDRETRY);
}

BOOL CommandWindow::OnIgnore() {
    return End(IDIGNORE);
}
