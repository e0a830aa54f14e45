#include "editing/CropDlg.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include "editing/DialogTrackBar.h"
#include "framework/Gdi.h"

namespace {

constexpr EditingFrameLayout kLayout{
    IDD_CROP,       IDC_CROP_PLAY,  IDC_CROP_PAUSE, IDC_CROP_STOP, IDC_CROP_RESET, IDC_CROP_CLOSE,
    IDC_CROP_PREVIEW, 14,           "crop_bk.bmp",  "Crop",        msg::kCropAutomaticStart,
    false,          false};

// The preview's place in the dialog: grid point (0, 0) is this client point.
constexpr POINT kPreviewOrigin{14, 51};

struct EdgeControls {
    int editId, spinId;
    crop::Edge edge;
};
constexpr EdgeControls kEdges[] = {
    {IDC_CROP_TOP, IDC_CROP_TOP_SPIN, crop::Edge::Top},
    {IDC_CROP_BOTTOM, IDC_CROP_BOTTOM_SPIN, crop::Edge::Bottom},
    {IDC_CROP_LEFT, IDC_CROP_LEFT_SPIN, crop::Edge::Left},
    {IDC_CROP_RIGHT, IDC_CROP_RIGHT_SPIN, crop::Edge::Right},
};

constexpr FrameLabel kLabels[] = {
    {"Zoom Mode", 350, 58}, {"Crop Mode", 350, 118}, {"Up", 455, 170},
    {"Down", 450, 290},     {"Left", 370, 230},      {"Right", 525, 230},
};

void FillList(HWND list, const char* const* names, int count) {
    ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i]));
    ::SendMessageA(list, CB_SETCURSEL, 0, 0);
}

int32_t Selection(HWND list) { return static_cast<int32_t>(::SendMessageA(list, CB_GETCURSEL, 0, 0)); }

}  // namespace

CCropDlg::CCropDlg(const EditingContext& context) : CEditingFrame(kLayout, context) {}

void CCropDlg::AddFilters(PreviewHooks& hooks) {
    hooks.frameFilter = [this](const uint8_t* frame, uint8_t* scratch, int width, int height) {
        crop::Highlight(frame, scratch, width, height, m_sharedRect.Get());
        return static_cast<const uint8_t*>(scratch);
    };
}

bool CCropDlg::InitControls() {
    Place(IDC_CROP_POSITION, 125, 320, 220, 30);
    SetUpDialogTrackBar(m_position, m_hWnd, IDC_CROP_POSITION, IDB_TRACK_CHANNEL, 100);
    m_position.SetPos(0);
    // A combo box's height takes in its drop-down list.
    Place(IDC_CROP_ZOOM_LIST, 430, 55, 150, 120);
    Place(IDC_CROP_MODE_LIST, 430, 115, 150, 120);
    FillList(GetDlgItem(IDC_CROP_ZOOM_LIST), crop::kZoomModeNames, crop::kZoomModes);
    FillList(GetDlgItem(IDC_CROP_MODE_LIST), crop::kCropModeNames, crop::kCropModes);
    const POINT editPlaces[] = {{440, 190}, {440, 310}, {360, 252}, {520, 252}};
    for (size_t i = 0; i < std::size(kEdges); ++i) {
        Place(kEdges[i].editId, editPlaces[i].x, editPlaces[i].y, 60, 25);
        // Attached again, so the up-down sits at the edit's new right end.
        ::SendMessageA(GetDlgItem(kEdges[i].spinId), UDM_SETBUDDY,
                       reinterpret_cast<WPARAM>(GetDlgItem(kEdges[i].editId)), 0);
    }
    ::SetDlgItemTextA(m_hWnd, IDC_CROP_TOP, "0");
    ::SetDlgItemTextA(m_hWnd, IDC_CROP_BOTTOM, "240");
    ::SetDlgItemTextA(m_hWnd, IDC_CROP_LEFT, "0");
    ::SetDlgItemTextA(m_hWnd, IDC_CROP_RIGHT, "320");
    for (const EdgeControls& e : kEdges) {
        const bool vertical = e.edge == crop::Edge::Top || e.edge == crop::Edge::Bottom;
        ::SendMessageA(GetDlgItem(e.spinId), UDM_SETRANGE32, 0, vertical ? 480 : 720);
    }

    if (const ClipRecord* clip = m_context.Clip()) {
        const EditSettings& edits = clip->edits;
        m_zoomMode = std::clamp(edits.zoomMode, 0, crop::kZoomModes - 1);
        m_cropMode = std::clamp(edits.cropMode, 0, crop::kCropModes - 1);
        SetRect({edits.cropLeft, edits.cropTop, edits.cropRight, edits.cropBottom});
        ::SendDlgItemMessageA(m_hWnd, IDC_CROP_ZOOM_LIST, CB_SETCURSEL, static_cast<WPARAM>(m_zoomMode), 0);
    }
    SetEdgeRanges();
    SetCropMode(m_cropMode);
    if (m_cropMode != 0) DrawRect();
    return m_context.Clip() != nullptr;
}

void CCropDlg::PaintLabels(HDC dc) {
    PaintTexts(dc, kLabels, std::size(kLabels), 16, 400, RGB(0x19, 0x19, 0x19));
}

void CCropDlg::SetEdgeRanges() {
    m_sourceWidth = m_context.sourceWidth;
    m_sourceHeight = m_context.sourceHeight;
    for (const EdgeControls& e : kEdges) {
        const bool vertical = e.edge == crop::Edge::Top || e.edge == crop::Edge::Bottom;
        ::SendMessageA(GetDlgItem(e.spinId), UDM_SETRANGE32, 0,
                       std::max(0, vertical ? m_sourceHeight : m_sourceWidth));
    }
    UpdateEdits();
}

void CCropDlg::UpdateEdits() {
    const crop::EdgeValues values = crop::ToSource(m_rect, m_sourceWidth, m_sourceHeight);
    const int32_t byEdge[] = {values.top, values.bottom, values.left, values.right};
    for (size_t i = 0; i < std::size(kEdges); ++i)
        ::SetDlgItemTextA(m_hWnd, kEdges[i].editId, std::to_string(byEdge[i]).c_str());
}

void CCropDlg::SetRect(const crop::Rect& rect) {
    m_rect = rect;
    m_sharedRect.Set(rect);
}

void CCropDlg::SetCropMode(int32_t mode) {
    m_cropMode = mode;
    ::SendDlgItemMessageA(m_hWnd, IDC_CROP_MODE_LIST, CB_SETCURSEL, static_cast<WPARAM>(mode), 0);
}

void CCropDlg::ShowIfIdle() {
    if (!Idle()) return;  // the worker shows the new rectangle with its next picture
    Player().Refresh(Player().Position());
    DrawRect();
}

void CCropDlg::DrawRect() {
    HWND preview = PreviewWindow();
    fw::WindowDC dc(preview);
    fw::Pen pen(::CreatePen(PS_SOLID, 2, RGB(255, 255, 255)));
    fw::ScopedSelect select(dc, pen);
    ::MoveToEx(dc, m_rect.left, m_rect.top, nullptr);
    ::LineTo(dc, m_rect.right, m_rect.top);
    ::LineTo(dc, m_rect.right, m_rect.bottom);
    ::LineTo(dc, m_rect.left, m_rect.bottom);
    ::LineTo(dc, m_rect.left, m_rect.top);
}

void CCropDlg::OnCropListChanged(UINT, int, HWND list) {
    m_cropMode = std::max(0, Selection(list));
    SetRect(crop::PresetRect(m_cropMode));
    ShowIfIdle();
    UpdateEdits();
}

LRESULT CCropDlg::OnEdgeStep(int id, NMHDR*, BOOL&) {
    // Sent before the up-down writes its new number: the edit still holds
    // the value from before this step.
    for (const EdgeControls& e : kEdges) {
        if (e.spinId != id) continue;
        char text[32] = {};
        ::GetDlgItemTextA(m_hWnd, e.editId, text, sizeof text);
        const auto value = static_cast<int32_t>(std::strtol(text, nullptr, 10));
        crop::Rect rect = m_rect;
        const int32_t mode = crop::ApplyEdgeValue(rect, e.edge, value, m_sourceWidth, m_sourceHeight);
        SetRect(rect);
        SetCropMode(mode);
        ShowIfIdle();
    }
    return 0;  // let the step happen
}

void CCropDlg::OnHScroll(int code, int, HWND bar) {
    if (bar != m_position.m_hWnd) {
        SetMsgHandled(FALSE);
        return;
    }
    if (code == TB_ENDTRACK) return;  // the last move has been shown
    Player().Pause();
    Player().SetPosition(m_position.GetPos());
    Player().Refresh(Player().Position());
    if (m_cropMode != 0) DrawRect();
}

void CCropDlg::OnPlay(UINT, int, HWND) {
    if (Player().CurrentPlayState() == PlayState::Idle) SetEdgeRanges();
    SetMsgHandled(FALSE);  // the frame plays
}

void CCropDlg::OnReset() {
    SetRect({});
    SetCropMode(0);
    m_zoomMode = 0;
    ::SendDlgItemMessageA(m_hWnd, IDC_CROP_ZOOM_LIST, CB_SETCURSEL, 0, 0);
    ShowIfIdle();
    UpdateEdits();
}

POINT CCropDlg::ToGrid(POINT client) {
    return {client.x - kPreviewOrigin.x, client.y - kPreviewOrigin.y};
}

bool CCropDlg::BeginRectDrag(POINT at) {
    if (m_cropMode == 0) return false;
    const POINT grid = ToGrid(at);
    if (!m_drag.Begin(m_rect, grid.x, grid.y)) return false;
    ::SetCapture(m_hWnd);
    ::SetCursor(CursorFor(m_drag.Mode()));
    return true;
}

void CCropDlg::OnLButtonDown(UINT, POINT at) {
    // Off the rectangle, the press drags the window (the frame's handler).
    if (!BeginRectDrag(at)) SetMsgHandled(FALSE);
}

void CCropDlg::OnLButtonDblClk(UINT, POINT at) {
    if (!BeginRectDrag(at)) PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

void CCropDlg::OnMouseMove(UINT, POINT at) {
    if (m_drag.Mode() == crop::Drag::None) {
        SetMsgHandled(FALSE);
        return;
    }
    const POINT grid = ToGrid(at);
    crop::Rect rect = m_rect;
    if (!m_drag.Move(rect, grid.x, grid.y)) return;
    SetRect(rect);
    ShowIfIdle();
    UpdateEdits();
}

void CCropDlg::OnLButtonUp(UINT, POINT) {
    if (m_drag.Mode() == crop::Drag::None) {
        SetMsgHandled(FALSE);
        return;
    }
    m_drag.End();
    ::ReleaseCapture();
}

void CCropDlg::OnCaptureChanged(HWND) {
    // Another window took the mouse: its release will not come here, and
    // the rectangle must not follow a pointer whose button is up.
    m_drag.End();
}

BOOL CCropDlg::OnSetCursor(HWND under, UINT hitTest, UINT) {
    if (under != m_hWnd || hitTest != HTCLIENT || m_cropMode == 0) {
        SetMsgHandled(FALSE);
        return FALSE;
    }
    POINT at;
    ::GetCursorPos(&at);
    ::ScreenToClient(m_hWnd, &at);
    const POINT grid = ToGrid(at);
    ::SetCursor(CursorFor(crop::HitTest(m_rect, grid.x, grid.y)));
    return TRUE;
}

HCURSOR CCropDlg::CursorFor(crop::Drag hit) {
    const char* shape = IDC_ARROW;
    switch (hit) {
        case crop::Drag::TopLeft:
        case crop::Drag::BottomRight: shape = IDC_SIZENWSE; break;
        case crop::Drag::TopRight:
        case crop::Drag::BottomLeft: shape = IDC_SIZENESW; break;
        case crop::Drag::Top:
        case crop::Drag::Bottom: shape = IDC_SIZENS; break;
        case crop::Drag::Left:
        case crop::Drag::Right: shape = IDC_SIZEWE; break;
        case crop::Drag::Move: shape = IDC_SIZEALL; break;
        case crop::Drag::None: break;
    }
    return ::LoadCursorA(nullptr, shape);
}

void CCropDlg::OnOK() {
    EditSettings* settings = m_context.settings;
    ClipRecord* clip = m_context.Clip();
    const int32_t zoom = std::max(0, Selection(GetDlgItem(IDC_CROP_ZOOM_LIST)));
    const int32_t mode = std::max(0, Selection(GetDlgItem(IDC_CROP_MODE_LIST)));
    const auto storeCrop = [&](EditSettings& into) {
        into.cropLeft = m_rect.left;
        into.cropTop = m_rect.top;
        into.cropRight = m_rect.right;
        into.cropBottom = m_rect.bottom;
        into.cropMode = mode;
        into.zoomMode = zoom;
    };
    if (settings) {
        settings->brightnessLevel = m_brightnessLevel;
        if (clip) storeCrop(*settings);
    }
    if (clip) storeCrop(clip->edits);
    ClosePreview();
    EndDialog(IDOK);
}
