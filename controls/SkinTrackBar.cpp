#include "controls/SkinTrackBar.h"

#include <commctrl.h>

bool CSkinTrackBar::IsVertical() const {
    return (::GetWindowLongA(m_hWnd, GWL_STYLE) & TBS_VERT) != 0;
}

BOOL CSkinTrackBar::SetChannelBitmap(int id, BOOL transparent) {
    if (!m_channel.Load(id)) return FALSE;
    m_channelTransparent = transparent;
    // The channel rectangle comes with x and y exchanged on a vertical bar,
    // so its width is the length along the axis either way.
    RECT channel{};
    SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    const bool vertical = IsVertical();
    const LONG grow = (vertical ? m_channel.Size().cy : m_channel.Size().cx) - (channel.right - channel.left);
    const int width = window.right - window.left + (vertical ? 0 : grow);
    const int height = window.bottom - window.top + (vertical ? grow : 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_background.Reset();  // the copy no longer fits
    Invalidate();
    return TRUE;
}

void CSkinTrackBar::SetThumbBitmaps(int normalId, int pressedId, BOOL transparent) {
    m_thumb.Load(normalId);
    m_pressedThumb.Load(pressedId);
    m_thumbTransparent = transparent;
    RECT thumb{};
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    m_thumbOffset = IsVertical() ? ((thumb.bottom - thumb.top) - m_thumb.Size().cy) / 2
                                 : ((thumb.right - thumb.left) - m_thumb.Size().cx) / 2;
    Invalidate();
}

void CSkinTrackBar::SetPos(int32_t value) {
    RECT before{}, channel{};
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&before));
    SendMessage(TBM_SETPOS, TRUE, value);
    RECT after{};
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&after));
    SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    if (IsVertical()) channel = {channel.top, channel.left, channel.bottom, channel.right};
    RECT area;
    ::UnionRect(&area, &before, &after);
    ::UnionRect(&area, &area, &channel);
    ::InvalidateRect(m_hWnd, &area, FALSE);
    m_lastPosition = GetPos();
}

int32_t CSkinTrackBar::GetPos() const {
    return static_cast<int32_t>(SendMessage(TBM_GETPOS));
}

void CSkinTrackBar::SetRange(int32_t minimum, int32_t maximum) {
    SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
    SendMessage(TBM_SETRANGEMAX, TRUE, maximum);
}

LRESULT CSkinTrackBar::OnCtlColor(UINT, WPARAM, LPARAM, BOOL&) {
    return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
}

void CSkinTrackBar::CopyParentBackground(HDC like) {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    HWND parent = ::GetParent(m_hWnd);
    POINT origin{0, 0};
    ::MapWindowPoints(m_hWnd, parent, &origin, 1);
    m_background.Reset(::CreateCompatibleBitmap(like, client.right, client.bottom));
    m_backgroundSize = {client.right, client.bottom};
    fw::MemoryDC memory(like);
    fw::ScopedSelect select(memory, m_background);
    ::FillRect(memory, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    // The parent paints its own background here, shifted so that the part
    // under the control lands in the copy (the screen may already show the
    // control itself).
    ::SetViewportOrgEx(memory, -origin.x, -origin.y, nullptr);
    ::SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(memory)), 0);
    ::SetViewportOrgEx(memory, 0, 0, nullptr);
}

void CSkinTrackBar::DrawChannel(HDC dc, const RECT& channel) {
    if (!m_background) CopyParentBackground(dc);
    fw::MemoryDC memory(dc);
    fw::ScopedSelect select(memory, m_background);
    ::BitBlt(dc, 0, 0, m_backgroundSize.cx, m_backgroundSize.cy, memory, 0, 0, SRCAND);
    if (!m_channel) return;
    const bool vertical = IsVertical();
    const int x = vertical ? channel.top : channel.left;
    const int y = vertical ? channel.left : channel.top;
    if (m_channelTransparent) m_channel.DrawTransparent(dc, x, y);
    else m_channel.DrawOpaque(dc, x, y);
}

void CSkinTrackBar::DrawThumb(HDC dc, const RECT& thumb, bool pressed) const {
    const skinbmp::KeyedBitmap& picture = pressed && m_pressedThumb ? m_pressedThumb : m_thumb;
    if (picture) {
        const bool vertical = IsVertical();
        const int x = thumb.left + (vertical ? 0 : m_thumbOffset);
        const int y = thumb.top + (vertical ? m_thumbOffset : 0);
        if (m_thumbTransparent) picture.DrawTransparent(dc, x, y);
        else picture.DrawOpaque(dc, x, y);
        return;
    }
    fw::Brush brush(::CreateSolidBrush(pressed ? m_pressedThumbColour : m_thumbColour));
    fw::ScopedSelect selectBrush(dc, brush);
    ::Ellipse(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

LRESULT CSkinTrackBar::OnCustomDraw(int, NMHDR* header, BOOL&) {
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    switch (draw->dwItemSpec) {
    case TBCD_CHANNEL:
        DrawChannel(draw->hdc, draw->rc);
        return m_channel ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
    case TBCD_THUMB:
        // Some trackbars mark a dragged thumb as hot rather than selected;
        // hot alone is only a hover, so it counts while the bar holds the mouse.
        m_thumbPressed = (draw->uItemState & CDIS_SELECTED) != 0 ||
                         ((draw->uItemState & CDIS_HOT) != 0 && ::GetCapture() == m_hWnd);
        DrawThumb(draw->hdc, draw->rc, m_thumbPressed != 0);
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;  // the tick marks
    }
}
