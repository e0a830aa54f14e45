#include "controls/StatusLine.h"

#include "framework/Gdi.h"

void CStatusLine::SetLook(HBITMAP background, HFONT font) {
    m_background = background;
    m_font = font;
}

void CStatusLine::SetText(const std::string& text) {
    ::SetWindowTextA(m_hWnd, text.c_str());
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

std::string CStatusLine::Text() const {
    char text[1024] = {};
    ::GetWindowTextA(m_hWnd, text, sizeof text);
    return text;
}

LRESULT CStatusLine::OnDrawItem(UINT, WPARAM, LPARAM lp, BOOL&) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    RECT area = item.rcItem;
    // The piece of the parent's picture under the control, so that the
    // previous words go.
    POINT origin{0, 0};
    ::MapWindowPoints(m_hWnd, ::GetParent(m_hWnd), &origin, 1);
    if (m_background) {
        fw::MemoryDC memory(item.hDC);
        fw::ScopedSelect picture(memory, m_background);
        ::BitBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 memory, origin.x + area.left, origin.y + area.top, SRCCOPY);
    } else {
        ::FillRect(item.hDC, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    const std::string text = Text();
    fw::ScopedSelect font(item.hDC, m_font);
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, RGB(230, 230, 230));
    ::DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &area,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
    return TRUE;
}
