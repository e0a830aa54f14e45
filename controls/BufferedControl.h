// A control that paints its whole client area itself, off screen first so
// that parts moving over a background never flicker.
#pragma once

#include "controls/SkinBitmaps.h"
#include "framework/Wnd.h"

class CBufferedControl : public fw::CWnd {
public:
    BEGIN_MSG_MAP(CBufferedControl)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBkgnd)
    END_MSG_MAP()

protected:
    virtual void Paint(HDC dc, const RECT& client) const = 0;

private:
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
        skinbmp::PaintBuffered(m_hWnd, [this](HDC dc, const RECT& client) { Paint(dc, client); });
        return 0;
    }
    LRESULT OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL&) { return TRUE; }
};
