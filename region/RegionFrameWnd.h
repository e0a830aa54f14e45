// The four flashing corner marks around the rectangle being recorded. The
// window covers the screen but its shape is only the marks, which lie outside
// the recorded pixels. Dragging a mark moves the recorded area: the frame jumps
// once, on release, and the new origin goes to the recording worker through
// the recording session, whose screen size keeps the frame on the screen.
#pragma once

#include <windows.h>

#include <mutex>

#include "engine/RecordWindows.h"
#include "engine/ScreenRect.h"
#include "framework/Wnd.h"

class RecordingSession;

class CRegionFrameWnd : public fw::CWnd, public IRegionFrame {
public:
    explicit CRegionFrameWnd(RecordingSession& session);

    // Creates the window hidden, top-most and without a shape. Start-up passes
    // the whole screen, so that window coordinates equal screen coordinates.
    bool Create(const char* caption, const ScreenRect& rect);

    // IRegionFrame, called from the recording worker.
    void SetFrame(int32_t left, int32_t top, int32_t width, int32_t height) override;
    void Show(bool show) override;
    void FillBand(uint8_t red, uint8_t green, uint8_t blue) override;

    // The framed rectangle (right and bottom inclusive).
    ScreenRect Framed() const;
    bool Dragging() const { return m_dragging != 0; }
    // Moves the frame's top-left corner to (left, top), kept on the screen
    // with its size, and hands the rectangle to the worker as a drag does.
    // Returns the rectangle framed now.
    ScreenRect MoveOriginTo(int32_t left, int32_t top);

    BEGIN_MSG_MAP(CRegionFrameWnd)
        MSG_WM_ERASEBKGND(OnEraseBkgnd)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        MSG_WM_MOUSEMOVE(OnMouseMove)
        MSG_WM_LBUTTONUP(OnLButtonUp)
    END_MSG_MAP()

private:
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    void OnLButtonDown(UINT, POINT);
    void OnMouseMove(UINT, POINT);
    void OnLButtonUp(UINT, POINT);

    // Moves the frame by (dx, dy), kept on the screen, and hands the new
    // rectangle to the worker.
    ScreenRect MoveBy(int32_t dx, int32_t dy);
    // Gives the window the shape of the marks around `framed`.
    void ApplyShape(const ScreenRect& framed);

    RecordingSession& m_session;
    // Written by the worker (SetFrame) and the window's thread (a move).
    mutable std::mutex m_lock;
    ScreenRect m_framed{};
    int32_t m_dragging = 0;
    POINT m_dragStart{};
    HCURSOR m_moveCursor = nullptr;
};
