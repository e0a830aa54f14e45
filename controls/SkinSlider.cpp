#include "controls/SkinSlider.h"

#include "framework/MessagePoint.h"
#include "controls/SliderScale.h"

void CSkinSlider::PreSubclassWindow() {
    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | SS_NOTIFY | WS_TABSTOP);
}

void CSkinSlider::SetBitmaps(int channelId, int thumbId, int activeChannelId, int activeThumbId) {
    m_channel.Load(channelId);
    m_thumb.Load(thumbId);
    m_activeChannel.Load(activeChannelId);
    m_activeThumb.Load(activeThumbId);
    if (m_hWnd) Invalidate(FALSE);
}

int CSkinSlider::Width() const {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    return client.right;
}

int32_t CSkinSlider::PositionAt(int x) const {
    const int32_t margin = m_thumb.Size().cx / 2;
    return slider::Clamp(slider::PixelToValue(x, m_minimum, m_maximum, margin, Width()), m_minimum, m_maximum);
}

int CSkinSlider::ThumbLeft() const {
    const int32_t margin = m_thumb.Size().cx / 2;
    return slider::ValueToPixel(m_position, m_minimum, m_maximum, margin, Width()) - margin;
}

void CSkinSlider::SetPos(int32_t position) {
    m_position = slider::Clamp(position, m_minimum, m_maximum);
    if (m_hWnd) Invalidate(FALSE);
}

void CSkinSlider::MoveTo(int32_t position, UINT message) {
    SetPos(position);
    ::PostMessageA(::GetParent(m_hWnd), message, static_cast<WPARAM>(::GetDlgCtrlID(m_hWnd)), m_position);
}

LRESULT CSkinSlider::OnLButtonDown(UINT, WPARAM, LPARAM lp, BOOL&) {
    ::SetFocus(m_hWnd);
    ::SetCapture(m_hWnd);
    m_dragging = true;
    MoveTo(PositionAt(PointX(lp)), kMovedMessage);
    return 0;
}

LRESULT CSkinSlider::OnMouseMove(UINT, WPARAM, LPARAM lp, BOOL& handled) {
    if (!m_dragging) {
        handled = FALSE;
        return 0;
    }
    const int32_t position = PositionAt(PointX(lp));
    if (position != m_position) MoveTo(position, kMovedMessage);
    return 0;
}

LRESULT CSkinSlider::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (m_dragging) {
        m_dragging = false;
        MoveTo(m_position, kSettledMessage);
    }
    return 0;
}

LRESULT CSkinSlider::OnKeyDown(UINT, WPARAM wp, LPARAM, BOOL& handled) {
    slider::Key key;
    switch (wp) {
    case VK_LEFT: key = slider::Key::Left; break;
    case VK_RIGHT: key = slider::Key::Right; break;
    case VK_UP: key = slider::Key::Up; break;
    case VK_DOWN: key = slider::Key::Down; break;
    case VK_PRIOR: key = slider::Key::PageUp; break;
    case VK_NEXT: key = slider::Key::PageDown; break;
    case VK_HOME: key = slider::Key::Home; break;
    case VK_END: key = slider::Key::End; break;
    default: handled = FALSE; return 0;
    }
    MoveTo(slider::PositionAfterKey(key, m_position, m_minimum, m_maximum, m_page), kSettledMessage);
    return 0;
}

LRESULT CSkinSlider::OnFocusChange(UINT, WPARAM, LPARAM, BOOL& handled) {
    Invalidate(FALSE);
    handled = FALSE;
    return 0;
}

void CSkinSlider::Paint(HDC dc, const RECT& client) const {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    const bool active = m_dragging || ::GetFocus() == m_hWnd;
    const skinbmp::KeyedBitmap& channel = active && m_activeChannel ? m_activeChannel : m_channel;
    const skinbmp::KeyedBitmap& thumb = active && m_activeThumb ? m_activeThumb : m_thumb;
    channel.DrawTransparent(dc, 0, (client.bottom - channel.Size().cy) / 2);
    thumb.DrawTransparent(dc, ThumbLeft(), (client.bottom - thumb.Size().cy) / 2);
}
