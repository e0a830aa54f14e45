// A control that paints its whole client area itself, off screen first so
// that parts moving over a background never flicker.
#pragma once

#include "controls/SkinBitmaps.h"
#include "framework/Wnd.h"

class CBufferedControl : public fw::CWnd {
public:
    BEGIN_MSG_MAP(CBufferedControl)
        MSG_WM_PAINT(OnPaint)
        MSG_WM_ERASEBKGND(OnEraseBkgnd)
    END_MSG_MAP()

protected:
    virtual void Paint(HDC dc, const RECT& client) const = 0;

private:
    void OnPaint(HDC) {
        skinbmp::PaintBuffered(m_hWnd, [this](HDC dc, const RECT& client) { Paint(dc, client); });
    }
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
};
