// Modal and modeless dialogs from resource templates.
//
// A dialog is created from its template with a minimal dialog procedure and
// then subclassed, so its messages go through the message map and, when not
// handled, on to the system's dialog procedure. Modal dialogs run the
// framework's own loop, which gives every window on a message's path its
// PreTranslateMessage before the message is dispatched.
#pragma once

#include "framework/Wnd.h"

namespace fw {

class CDialog : public CWnd {
public:
    explicit CDialog(int templateId, HWND parent = nullptr)
        : m_templateId(templateId), m_parent(parent) {}
    ~CDialog() override;

    // Runs the dialog modally; returns what EndDialog was given, or -1 when
    // the dialog could not be created or the loop ended on WM_QUIT.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; it lives until DestroyWindow.
    bool Create(HWND parent = nullptr);
    void EndDialog(INT_PTR result);

    bool IsModal() const { return m_modal; }
    int TemplateId() const { return m_templateId; }

    BEGIN_MSG_MAP(CDialog)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialogMessage)
        COMMAND_ID_HANDLER_EX(IDOK, OnOkCommand)
        COMMAND_ID_HANDLER_EX(IDCANCEL, OnCancelCommand)
    END_MSG_MAP()

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A modal dialog's loop met WM_QUIT; the window still exists. The loop
    // then ends and passes the quit on.
    virtual void OnQuitMessage() {}

private:
    static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnInitDialogMessage(UINT, WPARAM, LPARAM, BOOL&) { return OnInitDialog(); }
    void OnOkCommand(UINT, int, HWND) { OnOK(); }
    void OnCancelCommand(UINT, int, HWND) { OnCancel(); }
    void RunModalLoop();

    int m_templateId;
    HWND m_parent;
    bool m_modal = false;
    bool m_inModalLoop = false;
    INT_PTR m_result = -1;
};

}  // namespace fw
