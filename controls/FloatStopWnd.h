// The small always-on-top window with one stop button that floats beside the
// recorded area while the main window is minimised. Its button stops the
// recording and brings the main window back; its context menu shows or hides
// the main window or quits. The main window (its owner) creates it once; the
// recording worker shows it beside the recorded rectangle.
#pragma once

#include <mutex>

#include "controls/HoverButton.h"
#include "controls/StopWindowPlacement.h"
#include "engine/RecordParams.h"
#include "engine/RecordWindows.h"
#include "framework/Dialog.h"
#include "framework/PrivateMessages.h"
#include "layout/DialogLayout.h"
#include "res/resource.h"

class CFloatStopWnd : public fw::CDialog, public IStopWindow {
public:
    // The size of its button's picture.
    static constexpr int kWidth = layout::kFloatStopWidth;
    static constexpr int kHeight = layout::kFloatStopHeight;

    // The screen size is read from `params` (measured at start-up) whenever
    // the window is placed.
    explicit CFloatStopWnd(const CRecordParams& params) : fw::CDialog(IDD_FLOAT_STOP), m_params(params) {}

    // Where a window of width x height goes beside `rect` (right and bottom
    // just outside it) on the primary screen; false when no place fits.
    bool PlaceBesideRect(const RECT& rect, int width, int height, int& x, int& y) const;
    // Layered opacity, through SetLayeredWindowAttributes looked up at run
    // time; nothing happens where the system lacks it.
    void SetWindowAlpha(BYTE alpha);

    // Shows the window beside the recorded rectangle, fully opaque. Safe from
    // any thread: the work is done on the window's own thread.
    void ShowBeside(const ScreenRect& rect) override;

    CHoverButton& StopButton() { return m_stopButton; }

    BEGIN_MSG_MAP(CFloatStopWnd)
        MSG_WM_NCHITTEST(OnNcHitTest)
        MSG_WM_RBUTTONUP(OnRButtonUp)
        MSG_WM_CONTEXTMENU(OnContextMenu)
        MSG_WM_NCLBUTTONDBLCLK(OnNcLButtonDblClk)
        MESSAGE_HANDLER(msg::kStopWindowShowBeside, OnShowBeside)
        COMMAND_ID_HANDLER_EX(ID_FLOAT_SHOW, OnShowMain)
        COMMAND_ID_HANDLER_EX(ID_FLOAT_EXIT, OnExit)
        COMMAND_HANDLER_EX(IDC_FLOAT_STOP, BN_CLICKED, OnStop)
        CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape must not hide the window: only its stop button does.
    void OnOK() override {}
    void OnCancel() override {}

private:
    LRESULT OnNcHitTest(POINT);
    void OnRButtonUp(UINT, POINT point);
    void OnContextMenu(HWND clicked, POINT point);
    void OnNcLButtonDblClk(UINT, POINT);
    LRESULT OnShowBeside(UINT, WPARAM, LPARAM, BOOL&);
    void OnShowMain(UINT, int, HWND);
    void OnExit(UINT, int, HWND);
    void OnStop(UINT, int, HWND);

    HWND MainWindow() const { return ::GetWindow(m_hWnd, GW_OWNER); }
    // The screen size measured at start-up, or measured now if start-up has not.
    stopwnd::ScreenSize PrimaryScreen() const;
    void ShowContextMenu(POINT screenPoint);
    void CentreOnOwner();
    void ShowAt(const ScreenRect& rect);

    const CRecordParams& m_params;
    CHoverButton m_stopButton;
    std::mutex m_pendingLock;
    ScreenRect m_pendingRect;
};
