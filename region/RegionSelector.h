// The region selector: a borderless, top-most, full-screen window that never
// paints its background, so the screen stays visible through it. The user
// drags a rubber band with a live size label; on release the rectangle becomes
// the recording session's CaptureRect and the recording start is posted to its
// main window. The key of the third recording hotkey cancels.
#pragma once

#include <windows.h>

#include <string>

#include "engine/ScreenRect.h"
#include "framework/Wnd.h"
#include "region/RegionSelectorDraw.h"

struct RegionSelectorState {
    POINT anchor{};
    ScreenRect current{};    // kept normalised while dragging
    ScreenRect committed{};  // taken when the drag ends
    int32_t dragging = 0;
    LabelBacking labelBacking;
    std::string labelText;  // the label now on the screen, "" when none
};

class RecordingSession;

class CRegionSelector : public fw::CWnd {
public:
    explicit CRegionSelector(RecordingSession& session) : m_session(session) {}

    // Start-up: registers "ShiftRegionWindow", measures the screen into the
    // session's parameters and creates the selector hidden. True at once when
    // it exists already; false when the class or the window cannot be made,
    // and the selector is then missing (the other calls do nothing).
    bool Create();
    // Shows the selector maximised for a region recording.
    void Show();
    // What the cancel key does: ends an open selector without starting and
    // re-arms the converter hotkey. While the main window has the key
    // registered as a hotkey the selector never receives it, so the hotkey's
    // action calls this. False when the selector was not open.
    bool Cancel();

    const RegionSelectorState& State() const { return m_state; }
    // The controller's rectangle for a call recording.
    void SetRectangles(const ScreenRect& rect);

    BEGIN_MSG_MAP(CRegionSelector)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        MSG_WM_MOUSEMOVE(OnMouseMove)
        MSG_WM_LBUTTONUP(OnLButtonUp)
        MSG_WM_KEYDOWN(OnKeyDown)
        MSG_WM_SYSKEYDOWN(OnKeyDown)
    END_MSG_MAP()

private:
    // Each handler acts and then lets the default procedure see the message.
    void OnLButtonDown(UINT, POINT);
    void OnMouseMove(UINT, POINT);
    void OnLButtonUp(UINT, POINT);
    void OnKeyDown(UINT key, UINT, UINT);

    void Paint(bool draw);
    // Ends the drawing: commits the current rectangle and hides the window.
    void Finish();
    void PostToMain(UINT message) const;

    RecordingSession& m_session;
    RegionSelectorState m_state;
};
