// A standard track bar whose channel and thumb are painted from bitmap
// resources over the parent's background, by custom draw. Range, line and
// page size and the WM_HSCROLL / WM_VSCROLL notifications are the standard
// control's. Its parent must be a framework window, which reflects the
// custom-draw notifications back to it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "controls/SkinBitmaps.h"
#include "framework/Wnd.h"

class CSkinTrackBar : public fw::CWnd {
public:
    CSkinTrackBar() = default;

    // Loads the channel picture and resizes the control, without moving it,
    // so that its channel is as long as the picture. FALSE when the picture
    // cannot be loaded (the standard channel is drawn).
    BOOL SetChannelBitmap(int id, BOOL transparent);
    // The thumb at rest and pressed, centred on the thumb's place along the axis.
    void SetThumbBitmaps(int normalId, int pressedId, BOOL transparent);

    // TBM_SETPOS with a repaint of the channel and thumb.
    void SetPos(int32_t value);
    int32_t GetPos() const;
    void SetRange(int32_t minimum, int32_t maximum);

    BEGIN_MSG_MAP(CSkinTrackBar)
        REFLECTED_NOTIFY_CODE_HANDLER(NM_CUSTOMDRAW, OnCustomDraw)
        MESSAGE_HANDLER(fw::OCM_CTLCOLORSTATIC, OnCtlColor)
    END_MSG_MAP()

private:
    LRESULT OnCustomDraw(int, NMHDR* header, BOOL&);
    // The control erases to white, which the background copy then shows through.
    LRESULT OnCtlColor(UINT, WPARAM, LPARAM, BOOL&);
    bool IsVertical() const;
    void CopyParentBackground(HDC like);
    void DrawChannel(HDC dc, const RECT& channel);
    void DrawThumb(HDC dc, const RECT& thumb, bool pressed) const;

    fw::Bitmap m_background;
    SIZE m_backgroundSize{0, 0};
    skinbmp::KeyedBitmap m_channel;
    skinbmp::KeyedBitmap m_thumb;
    skinbmp::KeyedBitmap m_pressedThumb;
    COLORREF m_thumbColour = ::GetSysColor(COLOR_BTNFACE);
    COLORREF m_pressedThumbColour = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    int32_t m_thumbTransparent = 0;
    int32_t m_channelTransparent = 0;
    int32_t m_lastPosition = 0;
    int32_t m_thumbOffset = 0;
    int32_t m_thumbPressed = 0;
};
