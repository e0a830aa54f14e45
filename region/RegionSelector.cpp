#include "region/RegionSelector.h"

#include "engine/CallCaptureRect.h"
#include "engine/Messages.h"
#include "engine/RecordingSession.h"
#include "region/RegionGeometry.h"

namespace {

constexpr const char* kSelectorClass = "ShiftRegionWindow";
constexpr int kProgramIcon = 128;

ScreenRect CursorRect(POINT from, POINT to) {
    return Normalized({from.x, from.y, to.x, to.y});
}

}  // namespace

bool CRegionSelector::Create() {
    if (IsWindow()) return true;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.style = 0;
    wc.hInstance = instance;
    wc.hbrBackground = nullptr;  // the screen shows through
    wc.hIcon = ::LoadIconA(instance, "VEVURU");
    // The program's icon doubles as the cursor; either may be missing.
    wc.hCursor = ::LoadIconA(instance, MAKEINTRESOURCEA(kProgramIcon));
    wc.lpszClassName = kSelectorClass;
    if (!RegisterClassFor(wc)) return false;

    CRecordParams& params = m_session.Params;
    {
        HDC screen = ::GetDC(nullptr);
        params.ScreenWidth = ::GetDeviceCaps(screen, HORZRES);
        params.ScreenHeight = ::GetDeviceCaps(screen, VERTRES);
        ::ReleaseDC(nullptr, screen);
    }
    return CreateEx(WS_EX_TOPMOST, kSelectorClass, "Title", WS_POPUP, 0, 0, params.ScreenWidth,
                    params.ScreenHeight, nullptr, nullptr);
}

void CRegionSelector::PostToMain(UINT message) const {
    ::PostMessageA(static_cast<HWND>(m_session.State.MainWindow), message, 0, 0);
}

void CRegionSelector::SetRectangles(const ScreenRect& rect) {
    m_state.current = rect;
    m_state.committed = rect;
}

void CRegionSelector::Paint(bool draw) {
    fw::WindowDC dc(m_hWnd);
    if (!dc) return;
    m_state.labelText = PaintRubberBand(dc, m_state.current, m_state.labelBacking, draw);
}

void CRegionSelector::OnLButtonDown(UINT, POINT) {
    ::GetCursorPos(&m_state.anchor);
    m_state.current = CursorRect(m_state.anchor, m_state.anchor);
    Paint(true);
    m_state.dragging = 1;
    SetMsgHandled(FALSE);
}

void CRegionSelector::OnMouseMove(UINT, POINT) {
    SetMsgHandled(FALSE);
    if (!m_state.dragging) return;
    POINT at{};
    ::GetCursorPos(&at);
    Paint(false);
    m_state.current = CursorRect(m_state.anchor, at);
    Paint(true);
}

void CRegionSelector::OnLButtonUp(UINT, POINT) {
    SetMsgHandled(FALSE);
    Finish();
    if (engine::IsEmptySelection(m_state.committed)) {
        PostToMain(msg::kRegionSelectEnded);
        return;
    }
    m_session.State.CaptureRect = Normalized(m_state.committed);
    PostToMain(WM_USER_RECORDSTART_MSG);
}

// F10, the default key, arrives as a system key; either kind cancels.
void CRegionSelector::OnKeyDown(UINT key, UINT, UINT) {
    SetMsgHandled(FALSE);
    if (static_cast<int32_t>(key) == m_session.Hotkeys.RegionCancelKey.load()) Cancel();
}

void CRegionSelector::Finish() {
    m_state.current = Normalized(m_state.current);
    m_state.committed = m_state.current;
    m_state.dragging = 0;
    ShowWindow(SW_HIDE);
}

void CRegionSelector::Show() {
    if (!IsWindow()) return;
    ShowWindow(SW_SHOWMAXIMIZED);
    ::UpdateWindow(m_hWnd);
}

bool CRegionSelector::Cancel() {
    if (!IsWindow() || !::IsWindowVisible(m_hWnd)) return false;
    Finish();
    m_session.Hotkeys.ConvertArmed = 1;
    PostToMain(msg::kRegionSelectEnded);
    return true;
}
