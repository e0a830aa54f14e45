#include "controls/SkinSlider.h"

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

void CSkinSlider::OnLButtonDown(UINT, POINT at) {
    ::SetFocus(m_hWnd);
    ::SetCapture(m_hWnd);
    m_dragging = true;
    MoveTo(PositionAt(at.x), msg::kSliderMoved);
}

void CSkinSlider::OnMouseMove(UINT, POINT at) {
    if (!m_dragging) {
        SetMsgHandled(FALSE);
        return;
    }
    const int32_t position = PositionAt(at.x);
    if (position != m_position) MoveTo(position, msg::kSliderMoved);
}

void CSkinSlider::OnLButtonUp(UINT, POINT) {
    EndDrag();
    // Releasing sends WM_CAPTURECHANGED, which then finds no drag left.
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CSkinSlider::OnCaptureChanged(HWND) {
    // Another window took the mouse: the release will not come here.
    EndDrag();
}

void CSkinSlider::EndDrag() {
    if (!m_dragging) return;
    m_dragging = false;
    MoveTo(m_position, msg::kSliderSettled);
}

void CSkinSlider::OnKeyDown(UINT virtualKey, UINT, UINT) {
    slider::Key key;
    switch (virtualKey) {
    case VK_LEFT: key = slider::Key::Left; break;
    case VK_RIGHT: key = slider::Key::Right; break;
    case VK_UP: key = slider::Key::Up; break;
    case VK_DOWN: key = slider::Key::Down; break;
    case VK_PRIOR: key = slider::Key::PageUp; break;
    case VK_NEXT: key = slider::Key::PageDown; break;
    case VK_HOME: key = slider::Key::Home; break;
    case VK_END: key = slider::Key::End; break;
    default: SetMsgHandled(FALSE); return;
    }
    MoveTo(slider::PositionAfterKey(key, m_position, m_minimum, m_maximum, m_page), msg::kSliderSettled);
}

void CSkinSlider::OnFocusChange(HWND) {
    Invalidate(FALSE);
    SetMsgHandled(FALSE);
}

void CSkinSlider::Paint(HDC dc, const RECT& client) const {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    const bool active = m_dragging || ::GetFocus() == m_hWnd;
    const skinbmp::KeyedBitmap& channel = active && m_activeChannel ? m_activeChannel : m_channel;
    const skinbmp::KeyedBitmap& thumb = active && m_activeThumb ? m_activeThumb : m_thumb;
    channel.DrawTransparent(dc, 0, (client.bottom - channel.Size().cy) / 2);
    thumb.DrawTransparent(dc, ThumbLeft(), (client.bottom - thumb.Size().cy) / 2);
}
