#include "controls/ToggleButton.h"

#include <string>

#include "framework/Gdi.h"

namespace {

constexpr COLORREF kFaceColour = RGB(205, 205, 205);
constexpr DWORD kButtonTypeBits = 0x1F;

// Loads an icon and its size (the hot spot of an icon is its centre).
bool LoadIconWithSize(int id, HICON& icon, int32_t& width, int32_t& height) {
    icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return false;
    width = static_cast<int32_t>(info.xHotspot) * 2;
    height = static_cast<int32_t>(info.yHotspot) * 2;
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return true;
}

}  // namespace

void CToggleButton::PreSubclassWindow() {
    DWORD style = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
    style = (style & ~kButtonTypeBits) | BS_OWNERDRAW;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(style));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_style = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

void CToggleButton::SetIcons(int checkedIconId, int uncheckedIconId) {
    bool ok = LoadIconWithSize(checkedIconId, m_checkedIcon, m_checkedIconWidth, m_checkedIconHeight);
    ok = LoadIconWithSize(uncheckedIconId, m_uncheckedIcon, m_uncheckedIconWidth,
                          m_uncheckedIconHeight) && ok;
    if (!ok) {
        m_checkedIcon = m_uncheckedIcon = nullptr;
        m_checkedIconWidth = m_checkedIconHeight = 0;
        m_uncheckedIconWidth = m_uncheckedIconHeight = 0;
    }
    if (m_hWnd) Invalidate();
}

LRESULT CToggleButton::OnSetCheck(UINT, WPARAM wp, LPARAM, BOOL&) {
    m_checked = (wp == BST_CHECKED || wp == BST_INDETERMINATE) ? 1 : 0;
    Invalidate();
    return 0;
}

void CToggleButton::OnClicked(UINT, int, HWND) {
    m_checked = !m_checked;
    Invalidate();
}

void CToggleButton::DrawItem(const DRAWITEMSTRUCT& item) {
    m_disabled = (item.itemState & ODS_DISABLED) != 0;
    m_focused = (item.itemState & ODS_FOCUS) != 0;
    m_pressed = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    const RECT& rc = item.rcItem;

    fw::Brush face(::CreateSolidBrush(kFaceColour));
    ::FillRect(dc, &rc, face);
    ::FrameRect(dc, &rc, face);
    if (m_focused) ::DrawFocusRect(dc, &rc);

    if (HasIcons()) m_indicatorSize = m_checkedIconWidth;
    const int size = m_indicatorSize;
    RECT box = rc, text = rc;
    if (m_style & BS_LEFTTEXT) {
        box.left = rc.right - size;
        text.right = box.left - 3;
    } else {
        box.left = rc.left;
        text.left = rc.left + size + 3;
    }
    box.right = box.left + size;
    box.top = (rc.bottom - size - rc.top) / 2;
    box.bottom = box.top + size;

    DrawIndicator(dc, box);
    DrawLabel(dc, text);
}

void CToggleButton::DrawIndicator(HDC dc, RECT box) const {
    const int shift = m_pressed ? 1 : 0;
    if (HasIcons()) {
        HICON icon = m_checked ? m_checkedIcon : m_uncheckedIcon;
        int width = m_checked ? m_checkedIconWidth : m_uncheckedIconWidth;
        int height = m_checked ? m_checkedIconHeight : m_uncheckedIconHeight;
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, box.left + shift, shift,
                     width, height, DST_ICON | (m_disabled ? DSS_DISABLED : 0));
        return;
    }
    ::OffsetRect(&box, shift, shift);
    COLORREF fill = m_disabled ? ::GetSysColor(COLOR_BTNSHADOW)
                    : m_checked ? m_checkedColour
                                : m_uncheckedColour;
    fw::Brush brush(::CreateSolidBrush(fill));
    fw::Pen black(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    {
        fw::ScopedSelect selectBrush(dc, brush);
        fw::ScopedSelect selectPen(dc, black);
        ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
    }
    ::InflateRect(&box, -1, -1);
    fw::Pen ring(::CreatePen(PS_SOLID, 1, m_uncheckedColour));
    fw::ScopedSelect selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    fw::ScopedSelect selectPen(dc, ring);
    ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

void CToggleButton::DrawLabel(HDC dc, const RECT& area) const {
    std::string label = GetWindowText();
    if (label.empty()) return;
    UINT align = (m_style & BS_CENTER) == BS_CENTER ? DT_CENTER
                 : (m_style & BS_CENTER) == BS_RIGHT ? DT_RIGHT
                                                     : DT_LEFT;
    UINT format = align | DT_WORDBREAK | DT_VCENTER;
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    fw::ScopedSelect selectFont(dc, font);

    RECT measured = area;
    ::DrawTextA(dc, label.c_str(), -1, &measured, format | DT_CALCRECT);
    const int width = measured.right - measured.left, height = measured.bottom - measured.top;
    RECT place = area;
    place.top = area.top + (area.bottom - area.top - height) / 2;
    place.bottom = place.top + height;
    if (align == DT_CENTER) place.left = area.left + (area.right - area.left - width) / 2;
    if (align == DT_RIGHT) place.left = area.right - width;
    place.right = place.left + width;
    if (m_pressed) ::OffsetRect(&place, 1, 1);

    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    if (m_disabled) {
        RECT raised = place;
        ::OffsetRect(&raised, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextA(dc, label.c_str(), -1, &raised, format);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    } else {
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    }
    ::DrawTextA(dc, label.c_str(), -1, &place, format);
    ::SetBkMode(dc, oldMode);
}
