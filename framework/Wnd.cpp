#include "framework/Wnd.h"

namespace fw {
namespace {

// The window property under which a window's CWnd is stored.
constexpr const char* kObjectProp = "Lumiskop.CWnd";

// The child that sent a notification to its parent, or null.
HWND NotifyingChild(HWND self, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lp);
    case WM_NOTIFY:
        return lp ? reinterpret_cast<NMHDR*>(lp)->hwndFrom : nullptr;
    case WM_DRAWITEM:
        return wp ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem : nullptr;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        return mis->CtlType == ODT_MENU ? nullptr : ::GetDlgItem(self, static_cast<int>(mis->CtlID));
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lp);
    default:
        return nullptr;
    }
}

}  // namespace

CWnd::~CWnd() {
    if (!m_hWnd) return;
    if (m_ownsWindow && ::IsWindow(m_hWnd)) {
        ::DestroyWindow(m_hWnd);  // detaches on WM_NCDESTROY
    } else {
        UnsubclassWindow();  // a template control stays with its dialog
    }
    Detach();
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kObjectProp)) : nullptr;
}

bool CWnd::Attach(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandle(hwnd)) return false;
    m_hWnd = hwnd;
    ::SetPropA(hwnd, kObjectProp, this);
    return true;
}

void CWnd::Detach() {
    if (m_hWnd) ::RemovePropA(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
    m_prevProc = nullptr;
    m_ownsWindow = false;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd)) return false;
    m_prevProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
    PreSubclassWindow();
    return true;
}

bool CWnd::SubclassDlgItem(int id, HWND parent) {
    return SubclassWindow(::GetDlgItem(parent, id));
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    if (hwnd && m_prevProc)
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevProc));
    Detach();
    return hwnd;
}

bool CWnd::RegisterClassFor(WNDCLASSA wc) {
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    if (!wc.hInstance) wc.hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (::GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing)) return true;
    return ::RegisterClassA(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu) {
    if (m_hWnd) return false;
    HWND hwnd = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                  menu, ::GetModuleHandleA(nullptr), this);
    m_ownsWindow = hwnd != nullptr && hwnd == m_hWnd;
    return m_ownsWindow;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

bool CWnd::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.msg, m_current.wp, m_current.lp);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (m_prevProc) return ::CallWindowProcA(m_prevProc, m_hWnd, msg, wp, lp);
    return ::DefWindowProcA(m_hWnd, msg, wp, lp);
}

std::string CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

bool CWnd::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND child = NotifyingChild(m_hWnd, msg, wp, lp);
    CWnd* target = FromHandle(child);
    if (!target || target == this) return false;
    return target->ProcessWindowMessage(child, OCM__BASE + msg, wp, lp, result);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    CurrentMessage saved = m_current;
    m_current = {msg, wp, lp};
    LRESULT result = 0;
    bool handled = ReflectToChild(msg, wp, lp, result) ||
                   ProcessWindowMessage(m_hWnd, msg, wp, lp, result);
    if (!handled) result = DefWindowProc(msg, wp, lp);
    m_current = saved;
    if (msg == WM_NCDESTROY) {
        HWND gone = m_hWnd;
        Detach();
        OnFinalMessage(gone);
    }
    return result;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    CWnd* self = FromHandle(hwnd);
    if (!self && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        self = static_cast<CWnd*>(cs->lpCreateParams);
        if (self && !self->Attach(hwnd)) self = nullptr;
    }
    if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);
    return self->Dispatch(msg, wp, lp);
}

BOOL WalkPreTranslateTree(HWND stopAt, MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandle(hwnd); wnd && wnd->PreTranslateMessage(msg)) return TRUE;
        if (hwnd == stopAt) break;
    }
    return FALSE;
}

}  // namespace fw
