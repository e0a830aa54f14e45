#include "controls/TrimRangeBar.h"

void CTrimRangeBar::PreSubclassWindow() {
    // A static reports no mouse input without it.
    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    UpdateSizes();
}

void CTrimRangeBar::SetBitmaps(int thumbId, int draggedThumbId, int selectionId, int channelId,
                               int startMarkerId, int endMarkerId) {
    m_thumb.Load(thumbId);
    m_draggedThumb.Load(draggedThumbId);
    m_selection.Load(selectionId);
    m_channel.Load(channelId);
    m_startMarker.Load(startMarkerId);
    m_endMarker.Load(endMarkerId);
    const SIZE channel = m_channel.Size();
    if (m_hWnd && channel.cx > 0 && channel.cy > 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, channel.cx, channel.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateSizes();
    if (m_hWnd) Invalidate(FALSE);
}

void CTrimRangeBar::UpdateSizes() {
    trimbar::Sizes sizes;
    sizes.thumbWidth = m_thumb.Size().cx;
    sizes.thumbHeight = m_thumb.Size().cy;
    sizes.barHeight = m_selection.Size().cy;
    sizes.markerWidth = m_startMarker.Size().cx;
    sizes.markerHeight = m_startMarker.Size().cy;
    RECT client{0, 0, m_channel.Size().cx, m_channel.Size().cy};
    // Without a channel picture the control keeps its own size.
    if (m_hWnd && (!client.right || !client.bottom)) ::GetClientRect(m_hWnd, &client);
    sizes.controlWidth = client.right;
    sizes.controlHeight = client.bottom;
    m_model.SetSizes(sizes);
}

void CTrimRangeBar::SetRange(int32_t minimum, int32_t maximum) {
    m_model.SetRange(minimum, maximum);
    if (m_hWnd) Invalidate(FALSE);
}

void CTrimRangeBar::SetStart(int32_t value) {
    m_model.SetStart(value);
    if (m_hWnd) Invalidate(FALSE);
}

void CTrimRangeBar::SetEnd(int32_t value) {
    m_model.SetEnd(value);
    if (m_hWnd) Invalidate(FALSE);
}

void CTrimRangeBar::SetPosition(int32_t value) {
    m_model.SetPosition(value);
    if (m_hWnd) Invalidate(FALSE);
}

void CTrimRangeBar::PostToParent(const std::vector<trimbar::Post>& posts) const {
    HWND parent = ::GetParent(m_hWnd);
    const WPARAM id = static_cast<WPARAM>(::GetDlgCtrlID(m_hWnd));
    for (const trimbar::Post& post : posts) ::PostMessageA(parent, post.message, id, post.value);
}

void CTrimRangeBar::OnLButtonDown(UINT, POINT at) {
    ::SetCapture(m_hWnd);
    m_model.ButtonDown(at.x, at.y);
    Invalidate(FALSE);
}

void CTrimRangeBar::OnMouseMove(UINT, POINT at) {
    bool dragging = false;
    std::vector<trimbar::Post> posts = m_model.Move(at.x, dragging);
    if (!dragging) {
        SetMsgHandled(FALSE);
        return;
    }
    if (!posts.empty()) {
        Invalidate(FALSE);
        PostToParent(posts);
    }
}

void CTrimRangeBar::OnLButtonUp(UINT, POINT) {
    EndDrags();
    // Releasing sends WM_CAPTURECHANGED, which then finds no drag left.
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CTrimRangeBar::OnCaptureChanged(HWND) {
    // Another window took the mouse (a message box, a switch of programs):
    // the button's release will not come here, so the drags end now.
    EndDrags();
}

void CTrimRangeBar::EndDrags() {
    if (!m_model.DraggingThumb() && !m_model.DraggingStart() && !m_model.DraggingEnd()) return;
    PostToParent(m_model.ButtonUp());
    Invalidate(FALSE);
}

void CTrimRangeBar::Paint(HDC dc, const RECT& client) const {
    fw::Brush background(::CreateSolidBrush(::GetBkColor(dc)));
    ::FillRect(dc, &client, background);
    skinbmp::Stretch(dc, client, m_channel.Picture());

    const trimbar::Box thumb = m_model.Thumb();
    (m_model.DraggingThumb() && m_draggedThumb ? m_draggedThumb : m_thumb).DrawTransparent(dc, thumb.left, thumb.top);
    const trimbar::Box start = m_model.StartMarker(), end = m_model.EndMarker();
    m_startMarker.DrawTransparent(dc, start.left, start.top);
    m_endMarker.DrawTransparent(dc, end.left, end.top);
    const trimbar::Box selection = m_model.Selection();
    if (selection.right > selection.left)
        skinbmp::Stretch(dc, {selection.left, selection.top, selection.right, selection.bottom},
                         m_selection.Picture());
}
