#include "region/RegionSelector.h"

#include "engine/CallCaptureRect.h"
#include "engine/HotkeyLinks.h"
#include "engine/Messages.h"
#include "engine/RecordParams.h"
#include "engine/RecordState.h"
#include "region/RegionGeometry.h"

namespace {

constexpr const char* kSelectorClass = "ShiftRegionWindow";
constexpr int kProgramIcon = 128;

// Lives for the whole run, like the window.
CRegionSelector* g_selector = nullptr;

ScreenRect CursorRect(POINT from, POINT to) {
    return Normalized({from.x, from.y, to.x, to.y});
}

}  // namespace

bool CRegionSelector::Create() {
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

    {
        HDC screen = ::GetDC(nullptr);
        g_recordParams.ScreenWidth = ::GetDeviceCaps(screen, HORZRES);
        g_recordParams.ScreenHeight = ::GetDeviceCaps(screen, VERTRES);
        ::ReleaseDC(nullptr, screen);
    }
    return CreateEx(WS_EX_TOPMOST, kSelectorClass, "Title", WS_POPUP, 0, 0,
                    g_recordParams.ScreenWidth, g_recordParams.ScreenHeight, nullptr, nullptr);
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
        ::PostMessageA(static_cast<HWND>(g_recordState.MainWindow), msg::kRegionSelectEnded, 0, 0);
        return;
    }
    g_recordState.CaptureRect = Normalized(m_state.committed);
    ::PostMessageA(static_cast<HWND>(g_recordState.MainWindow), WM_USER_RECORDSTART_MSG, 0, 0);
}

// F10, the default key, arrives as a system key; either kind cancels.
void CRegionSelector::OnKeyDown(UINT key, UINT, UINT) {
    SetMsgHandled(FALSE);
    if (static_cast<int32_t>(key) == RegionCancelKey()) CancelRegionSelector();
}

void CRegionSelector::Finish() {
    m_state.current = Normalized(m_state.current);
    m_state.committed = m_state.current;
    m_state.dragging = 0;
    ShowWindow(SW_HIDE);
}

bool CreateRegionSelector() {
    if (g_selector) return true;
    auto* selector = new CRegionSelector;
    if (!selector->Create()) {
        delete selector;
        return false;
    }
    g_selector = selector;
    return true;
}

CRegionSelector* RegionSelector() {
    return g_selector && g_selector->IsWindow() ? g_selector : nullptr;
}

void ShowRegionSelector() {
    if (CRegionSelector* selector = RegionSelector()) {
        selector->ShowWindow(SW_SHOWMAXIMIZED);
        ::UpdateWindow(*selector);
    }
}

bool CancelRegionSelector() {
    CRegionSelector* selector = RegionSelector();
    if (!selector || !::IsWindowVisible(*selector)) return false;
    selector->Finish();
    ConvertArmed = 1;
    ::PostMessageA(static_cast<HWND>(g_recordState.MainWindow), msg::kRegionSelectEnded, 0, 0);
    return true;
}
