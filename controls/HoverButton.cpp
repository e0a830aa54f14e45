#include "controls/HoverButton.h"

#include <commctrl.h>

#include "controls/SkinFiles.h"

namespace {

HBITMAP LoadBitmapFile(const char* path) {
    if (!path) return nullptr;
    return static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

}  // namespace

BOOL CHoverButton::LoadBitmapFiles(const char* normal, const char* hover, const char* click) {
    m_normalBitmap.Reset(LoadBitmapFile(normal));
    m_hoverBitmap.Reset(LoadBitmapFile(hover));
    m_clickBitmap.Reset(LoadBitmapFile(click));
    if (m_hWnd) Invalidate();
    return TRUE;
}

BOOL CHoverButton::LoadSkin(const std::string& folder, const std::string& base) {
    return LoadBitmapFiles(skinfiles::NormalFile(folder, base).c_str(),
                           skinfiles::HoverFile(folder, base).c_str(),
                           skinfiles::ClickFile(folder, base).c_str());
}

void CHoverButton::EnsureToolTip() {
    if (m_toolTip || !m_hWnd) return;
    m_toolTip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (m_toolTip) ::SendMessageA(m_toolTip, TTM_ACTIVATE, FALSE, 0);
}

void CHoverButton::SetTooltipText(const char* text, BOOL activate) {
    if (!text) return;
    EnsureToolTip();
    if (!m_toolTip) return;
    // The older structure size, which every common-controls version accepts.
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = m_hWnd;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>(text);
    if (::SendMessageA(m_toolTip, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        ::GetClientRect(m_hWnd, &tool.rect);
        ::SendMessageA(m_toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::SendMessageA(m_toolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(m_toolTip, TTM_ACTIVATE, activate, 0);
}

BOOL CHoverButton::PreTranslateMessage(MSG* msg) {
    EnsureToolTip();
    if (m_toolTip) ::SendMessageA(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return fw::CWnd::PreTranslateMessage(msg);
}

void CHoverButton::OnMouseMove(UINT, POINT) {
    if (!m_tracking) {
        TRACKMOUSEEVENT request{sizeof request, TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_tracking = ::_TrackMouseEvent(&request);
    }
    SetMsgHandled(FALSE);
}

void CHoverButton::OnMouseHover(UINT, POINT) {
    m_hover = 1;
    Invalidate(TRUE);
}

void CHoverButton::OnMouseLeave() {
    m_tracking = 0;
    m_hover = 0;
    Invalidate(TRUE);
}

void CHoverButton::DrawItem(const DRAWITEMSTRUCT& item) {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    // Focus and disabled states keep the picture of the mouse state.
    HBITMAP picture = (item.itemState & ODS_SELECTED) ? m_clickBitmap.Get()
                      : m_hover                      ? m_hoverBitmap.Get()
                                                     : m_normalBitmap.Get();
    BITMAP size{};
    if (!picture || !::GetObjectA(picture, sizeof size, &size)) return;  // no picture
    fw::MemoryDC memory(item.hDC);
    fw::ScopedSelect select(memory, picture);
    int oldMode = ::SetStretchBltMode(item.hDC, COLORONCOLOR);
    ::StretchBlt(item.hDC, client.left, client.top, client.right - client.left,
                 client.bottom - client.top, memory, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    ::SetStretchBltMode(item.hDC, oldMode);
}
