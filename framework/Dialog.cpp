#include "framework/Dialog.h"

namespace fw {

CDialog::~CDialog() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_INITDIALOG || CWnd::FromHandle(hwnd)) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lp);
    if (!self->Attach(hwnd)) return FALSE;
    self->m_ownsWindow = true;
    self->m_prevProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
    return self->Dispatch(WM_INITDIALOG, wp, lp);
}

bool CDialog::Create(HWND parent) {
    if (m_hWnd) return false;
    if (parent) m_parent = parent;
    m_modal = false;
    HWND hwnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId),
                                     m_parent, &CDialog::StaticDlgProc,
                                     reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    m_modal = true;
    m_result = -1;
    // The owner waits from the start, WM_INITDIALOG included.
    HWND owner = m_parent;
    bool disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner) ::EnableWindow(owner, FALSE);
    m_inModalLoop = true;
    if (::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), owner,
                             &CDialog::StaticDlgProc, reinterpret_cast<LPARAM>(this)) &&
        m_inModalLoop) {  // a dialog can end itself inside WM_INITDIALOG
        if (!::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_inModalLoop = false;
    if (disabledOwner) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    m_modal = false;
    return m_result;
}

void CDialog::RunModalLoop() {
    MSG msg;
    while (m_inModalLoop && m_hWnd) {
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends the dialog and is passed on to the outer loop.
            OnQuitMessage();
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_result = -1;
            break;
        }
        if (got == -1) break;
        if (!WalkPreTranslateTree(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    m_inModalLoop = false;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    if (m_modal) {
        m_inModalLoop = false;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wake the loop
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    return m_hWnd && ::IsDialogMessageA(m_hWnd, msg);
}

}  // namespace fw
