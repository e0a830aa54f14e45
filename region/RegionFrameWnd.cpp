#include "region/RegionFrameWnd.h"

#include "engine/RecordingSession.h"
#include "framework/Gdi.h"
#include "region/RegionGeometry.h"

namespace {

constexpr const char* kFrameClass = "LumiskopRegionFrame";
constexpr int kProgramIcon = 128;

HRGN CreateBox(const engine::BoxRect& box) {
    return ::CreateRectRgn(box.left, box.top, box.right, box.bottom);
}

// The marks' region for a framed rectangle, in window coordinates.
HRGN CreateMarksRegion(const ScreenRect& framed) {
    const engine::FrameShape shape = engine::MakeFrameShape(framed.Width(), framed.Height());
    HRGN marks = CreateBox(shape.outer);
    for (const engine::BoxRect& cut : {shape.hole, shape.acrossStrip, shape.downStrip}) {
        if (cut.Empty()) continue;
        fw::Region cutRegion(CreateBox(cut));
        ::CombineRgn(marks, marks, cutRegion, RGN_DIFF);
    }
    ::OffsetRgn(marks, framed.left - engine::kFrameBand, framed.top - engine::kFrameBand);
    return marks;
}

}  // namespace

CRegionFrameWnd::CRegionFrameWnd(RecordingSession& session)
    : m_session(session), m_moveCursor(::LoadCursor(nullptr, IDC_SIZEALL)) {}

bool CRegionFrameWnd::Create(const char* caption, const ScreenRect& rect) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.style = 0;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(kProgramIcon));  // may be missing
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassFor(wc)) return false;
    return CreateEx(WS_EX_TOPMOST, kFrameClass, caption, WS_POPUP, rect.left, rect.top,
                    rect.Width(), rect.Height(), nullptr, nullptr);
}

void CRegionFrameWnd::SetFrame(int32_t left, int32_t top, int32_t width, int32_t height) {
    ScreenRect framed{left, top, left + width - 1, top + height - 1};
    {
        std::lock_guard lock(m_lock);
        m_framed = framed;
    }
    ApplyShape(framed);
}

void CRegionFrameWnd::Show(bool show) {
    // Never activated: the window being recorded keeps the keyboard.
    ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

void CRegionFrameWnd::FillBand(uint8_t red, uint8_t green, uint8_t blue) {
    const ScreenRect framed = Framed();
    if (!m_hWnd || !engine::CanFillBand(framed)) return;
    const COLORREF colour = RGB(red, green, blue);
    fw::WindowDC dc(m_hWnd);
    if (!dc) return;
    fw::Brush brush(::CreateSolidBrush(colour));
    fw::Pen pen(::CreatePen(PS_SOLID, 1, colour));
    fw::ScopedSelect useBrush(dc, brush);
    fw::ScopedSelect usePen(dc, pen);
    // The window region limits this box to the marks.
    const engine::BoxRect band = engine::BandBox(framed);
    ::Rectangle(dc, band.left, band.top, band.right, band.bottom);
}

ScreenRect CRegionFrameWnd::Framed() const {
    std::lock_guard lock(m_lock);
    return m_framed;
}

void CRegionFrameWnd::ApplyShape(const ScreenRect& framed) {
    if (!m_hWnd) return;
    HRGN marks = CreateMarksRegion(framed);
    // Once set, the region belongs to the system, which also frees the
    // previous one; deleting either here would free a handle twice.
    if (!::SetWindowRgn(m_hWnd, marks, TRUE)) ::DeleteObject(marks);
}

void CRegionFrameWnd::OnLButtonDown(UINT, POINT) {
    ::GetCursorPos(&m_dragStart);
    m_dragging = 1;
    ::SetCapture(m_hWnd);
}

void CRegionFrameWnd::OnMouseMove(UINT, POINT) {
    ::SetCursor(m_moveCursor);
    SetMsgHandled(FALSE);
}

void CRegionFrameWnd::OnLButtonUp(UINT, POINT) {
    POINT at{};
    ::GetCursorPos(&at);
    if (m_dragging) {
        m_dragging = 0;
        ::ReleaseCapture();
        MoveBy(at.x - m_dragStart.x, at.y - m_dragStart.y);
    }
}

ScreenRect CRegionFrameWnd::MoveBy(int32_t dx, int32_t dy) {
    ScreenRect moved;
    {
        std::lock_guard lock(m_lock);
        moved = engine::MoveFrameOnScreen(m_framed, dx, dy, m_session.Params.ScreenWidth,
                                          m_session.Params.ScreenHeight);
        m_framed = moved;
    }
    ApplyShape(moved);
    m_session.State.PublishRect(moved);
    return moved;
}

ScreenRect CRegionFrameWnd::MoveOriginTo(int32_t left, int32_t top) {
    const ScreenRect framed = Framed();
    return MoveBy(left - framed.left, top - framed.top);
}
