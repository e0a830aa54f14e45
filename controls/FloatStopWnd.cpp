#include "controls/FloatStopWnd.h"

#include <algorithm>

#include "controls/SkinFiles.h"
#include "framework/ProgramFolder.h"
#include "controls/StopWindowPlacement.h"

namespace {

stopwnd::Box ToBox(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

stopwnd::ScreenSize CFloatStopWnd::PrimaryScreen() const {
    stopwnd::ScreenSize screen{m_params.ScreenWidth, m_params.ScreenHeight};
    if (screen.width <= 0 || screen.height <= 0) {
        HDC dc = ::GetDC(nullptr);
        screen = {::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES)};
        ::ReleaseDC(nullptr, dc);
    }
    return screen;
}

bool CFloatStopWnd::PlaceBesideRect(const RECT& rect, int width, int height, int& x, int& y) const {
    int32_t px = 0, py = 0;
    if (!stopwnd::PlaceBesideRect(ToBox(rect), width, height, PrimaryScreen(), px, py)) return false;
    x = px;
    y = py;
    return true;
}

void CFloatStopWnd::SetWindowAlpha(BYTE alpha) {
    using SetLayeredAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user = ::GetModuleHandleA("User32.DLL");
    if (!user) return;
    auto set = reinterpret_cast<SetLayeredAttributes>(
        reinterpret_cast<void*>(::GetProcAddress(user, "SetLayeredWindowAttributes")));
    if (set) set(m_hWnd, 0, alpha, LWA_ALPHA);
}

BOOL CFloatStopWnd::OnInitDialog() {
    // Topmost first: once the button's tooltip (itself topmost, and owned by
    // this window) exists, Wine no longer lifts this window into the topmost band.
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    const std::string folder = fw::ProgramFolder() + skinfiles::kDialogFolder;
    m_stopButton.SubclassDlgItem(IDC_FLOAT_STOP, m_hWnd);
    m_stopButton.LoadSkin(folder, "float_stop");
    m_stopButton.SetTooltipText("Stop Record", TRUE);

    ::MoveWindow(m_hWnd, 0, 0, kWidth, kHeight, TRUE);
    ::MoveWindow(m_stopButton, 0, 0, kWidth, kHeight, TRUE);
    CentreOnOwner();
    // Layered and without attributes yet: invisible until the first show.
    LONG exStyle = ::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, exStyle ^ WS_EX_LAYERED);
    return TRUE;
}

void CFloatStopWnd::CentreOnOwner() {
    RECT area;
    HWND owner = MainWindow();
    if (!owner || !::GetWindowRect(owner, &area)) ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int x = area.left + (area.right - area.left - kWidth) / 2;
    int y = area.top + (area.bottom - area.top - kHeight) / 2;
    const stopwnd::ScreenSize screen = PrimaryScreen();
    x = std::clamp(x, 0, std::max(0, screen.width - kWidth));
    y = std::clamp(y, 0, std::max(0, screen.height - kHeight));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFloatStopWnd::ShowBeside(const ScreenRect& rect) {
    HWND hwnd = m_hWnd;
    if (!hwnd || !::IsWindow(hwnd)) return;
    if (::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId()) {
        ShowAt(rect);
        return;
    }
    // The recording worker must not wait for a busy window thread (a menu, a
    // modal loop), and the window's state belongs to its own thread.
    {
        std::lock_guard lock(m_pendingLock);
        m_pendingRect = rect;
    }
    ::PostMessageA(hwnd, msg::kStopWindowShowBeside, 0, 0);
}

LRESULT CFloatStopWnd::OnShowBeside(UINT, WPARAM, LPARAM, BOOL&) {
    ScreenRect rect;
    {
        std::lock_guard lock(m_pendingLock);
        rect = m_pendingRect;
    }
    ShowAt(rect);
    return 0;
}

void CFloatStopWnd::ShowAt(const ScreenRect& rect) {
    // Shown without activation: the call window brought to the front keeps
    // the keyboard while it is recorded.
    ShowWindow(SW_SHOWNA);
    const RECT beside{rect.left, rect.top, rect.left + rect.Width(), rect.top + rect.Height()};
    int x = 0, y = 0;
    if (!PlaceBesideRect(beside, kWidth, kHeight, x, y)) {
        int32_t fx = 0, fy = 0;
        stopwnd::FallbackBesideRect(ToBox(beside), kWidth, kHeight, PrimaryScreen(), fx, fy);
        x = fx;
        y = fy;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, kWidth, kHeight,
                   SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowAlpha(255);
}

LRESULT CFloatStopWnd::OnNcHitTest(POINT) {
    LRESULT hit = Default();
    // Dragging any uncovered part moves the window.
    if (hit == HTCLIENT && ::GetAsyncKeyState(VK_LBUTTON) < 0) return HTCAPTION;
    return hit;
}

void CFloatStopWnd::ShowContextMenu(POINT screenPoint) {
    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_FLOAT_MENU));
    if (!menu) return;
    // A menu whose owner is not in the foreground closes at once (the main
    // window may have been brought forward since the last click here).
    ::SetForegroundWindow(m_hWnd);
    if (HMENU popup = ::GetSubMenu(menu, 0))
        ::TrackPopupMenu(popup, 0, screenPoint.x, screenPoint.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

void CFloatStopWnd::OnRButtonUp(UINT, POINT point) {
    ::ClientToScreen(m_hWnd, &point);
    ShowContextMenu(point);
    Default();
}

void CFloatStopWnd::OnContextMenu(HWND clicked, POINT point) {
    // The stop button covers the whole window, so a right click lands on it;
    // its context-menu request comes up here. The window's own request (after
    // its WM_RBUTTONUP) is already served.
    if (clicked != m_stopButton.m_hWnd) {
        SetMsgHandled(FALSE);
        return;
    }
    if (point.x == -1 && point.y == -1) {  // from the keyboard
        RECT rc;
        ::GetWindowRect(m_stopButton, &rc);
        point = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    ShowContextMenu(point);
}

void CFloatStopWnd::OnNcLButtonDblClk(UINT, POINT) {
    if (HWND main = MainWindow()) {
        if (!::IsWindowVisible(main)) ::ShowWindow(main, SW_SHOW);
        ::SetForegroundWindow(main);
    }
    SetMsgHandled(FALSE);
}

void CFloatStopWnd::OnShowMain(UINT, int, HWND) {
    if (HWND main = MainWindow()) ::ShowWindow(main, ::IsWindowVisible(main) ? SW_HIDE : SW_SHOW);
}

void CFloatStopWnd::OnExit(UINT, int, HWND) {
    if (HWND main = MainWindow()) ::PostMessageA(main, WM_QUIT, 0, 0);
}

void CFloatStopWnd::OnStop(UINT, int, HWND) {
    if (HWND main = MainWindow()) {
        ::SendMessageA(main, WM_COMMAND, MAKEWPARAM(ID_STOP_RECORDING, 0), 0);
        ::ShowWindow(main, SW_SHOWNORMAL);
    }
    ShowWindow(SW_HIDE);
}
