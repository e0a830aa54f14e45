// A bitmap slider on a static control: a channel and a thumb, each with an
// active picture shown while the slider is dragged or has the focus, drawn
// with magenta transparent. Range 0..100, page 20; the arrows, Page Up and
// Page Down, Home and End move it. The parent gets msg::kSliderMoved while it
// is dragged and msg::kSliderSettled when a drag ends or a key moved it.
#pragma once

#include <cstdint>

#include "controls/BufferedControl.h"
#include "controls/SkinBitmaps.h"
#include "framework/PrivateMessages.h"

class CSkinSlider : public CBufferedControl {
public:
    CSkinSlider() = default;

    void SetBitmaps(int channelId, int thumbId, int activeChannelId, int activeThumbId);
    void SetPos(int32_t position);
    int32_t GetPos() const { return m_position; }

    BEGIN_MSG_MAP(CSkinSlider)
        MSG_WM_GETDLGCODE(OnGetDlgCode)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        MSG_WM_MOUSEMOVE(OnMouseMove)
        MSG_WM_LBUTTONUP(OnLButtonUp)
        MSG_WM_CAPTURECHANGED(OnCaptureChanged)
        MSG_WM_KEYDOWN(OnKeyDown)
        MSG_WM_SETFOCUS(OnFocusChange)
        MSG_WM_KILLFOCUS(OnFocusChange)
        CHAIN_MSG_MAP(CBufferedControl)
    END_MSG_MAP()

protected:
    void PreSubclassWindow() override;
    void Paint(HDC dc, const RECT& client) const override;

private:
    UINT OnGetDlgCode(UINT, const MSG*) { return DLGC_WANTARROWS; }
    void OnLButtonDown(UINT, POINT at);
    void OnMouseMove(UINT, POINT at);
    void OnLButtonUp(UINT, POINT);
    void OnCaptureChanged(HWND);
    void OnKeyDown(UINT virtualKey, UINT, UINT);
    void OnFocusChange(HWND);
    // Ends a drag under way, if any, and tells the parent where it settled.
    void EndDrag();
    // The position under a client x, and the thumb's left edge for a position.
    int32_t PositionAt(int x) const;
    int ThumbLeft() const;
    int Width() const;
    void MoveTo(int32_t position, UINT message);

    skinbmp::KeyedBitmap m_channel;
    skinbmp::KeyedBitmap m_thumb;
    skinbmp::KeyedBitmap m_activeChannel;
    skinbmp::KeyedBitmap m_activeThumb;
    int32_t m_minimum = 0;
    int32_t m_maximum = 100;
    int32_t m_page = 20;
    int32_t m_position = 0;
    bool m_dragging = false;
};
