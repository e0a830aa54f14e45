#include "editing/TrimDlg.h"

#include "controls/SkinFiles.h"
#include "framework/ProgramFolder.h"

namespace {

constexpr EditingFrameLayout kTrimFrame{
    IDD_TRIM,
    IDC_TRIM_PLAY, IDC_TRIM_PAUSE, IDC_TRIM_STOP, IDC_TRIM_RESET, IDC_TRIM_CLOSE, IDC_TRIM_PREVIEW,
    13,
    "trim_bk.bmp",
    "Trim",
    msg::kTrimAutomaticStart,
    true,  // Escape cancels
    true,  // Stop keeps the position
};

constexpr FrameLabel kLabels[] = {
    {"Start Time:", 360, 95},
    {"End Time:", 360, 200},
    {"Select Length:", 360, 290},
};

}  // namespace

CTrimDlg::CTrimDlg(const EditingContext& context) : CEditingFrame(kTrimFrame, context) {}

bool CTrimDlg::InitControls() {
    const std::string folder = fw::ProgramFolder() + skinfiles::kDialogFolder;
    m_startEdit.SubclassDlgItem(IDC_TRIM_START_TIME, m_hWnd);
    m_endEdit.SubclassDlgItem(IDC_TRIM_END_TIME, m_hWnd);
    Place(IDC_TRIM_START_TIME, 360, 120, 80, 20);
    Place(IDC_TRIM_END_TIME, 360, 220, 80, 20);
    Place(IDC_TRIM_LENGTH, 360, 320, 80, 20);
    m_startOk.SubclassDlgItem(IDC_TRIM_START_OK, m_hWnd);
    m_startOk.LoadSkin(folder, "small_ok");
    Place(IDC_TRIM_START_OK, 450, 120, 92, 20);
    m_endOk.SubclassDlgItem(IDC_TRIM_END_OK, m_hWnd);
    m_endOk.LoadSkin(folder, "small_ok");
    Place(IDC_TRIM_END_OK, 450, 220, 92, 20);
    m_markers.SubclassDlgItem(IDC_TRIM_MARKERS, m_hWnd);
    Place(IDC_TRIM_MARKERS, 129, 312, 210, 38);
    m_markers.SetBitmaps(IDB_TRIM_THUMB, IDB_TRIM_THUMB_DRAG, IDB_TRIM_SELECTION, IDB_TRIM_CHANNEL,
                         IDB_TRIM_START, IDB_TRIM_END);

    const ClipRecord* clip = m_context.Clip();
    if (!clip) return false;  // empty values, nothing to play
    m_range = trim::LoadRange(*clip);
    ShowTexts();
    ShowMarkers(0);
    return true;
}

void CTrimDlg::PaintLabels(HDC dc) {
    PaintTexts(dc, kLabels, std::size(kLabels), 16, 400, RGB(0x19, 0x19, 0x19));
}

std::string CTrimDlg::EditText(int id) const {
    char text[64] = {};
    ::GetDlgItemTextA(m_hWnd, id, text, sizeof text);
    return text;
}

void CTrimDlg::ShowTexts() {
    ::SetDlgItemTextA(m_hWnd, IDC_TRIM_START_TIME, m_range.startText.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_TRIM_END_TIME, m_range.endText.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_TRIM_LENGTH, m_range.lengthText.c_str());
}

void CTrimDlg::ShowMarkers(int position) {
    // From a fresh range, so that neither marker is held back by the other's
    // old place.
    m_markers.SetRange(0, 100);
    m_markers.SetStart(m_range.StartMarker());
    m_markers.SetEnd(m_range.EndMarker());
    m_markers.SetPosition(position);
}

void CTrimDlg::ShowVerdict(trim::Verdict verdict) {
    ShowTexts();
    if (verdict == trim::Verdict::NoDuration) {
        ::MessageBeep(MB_ICONWARNING);  // no length to measure a time against
        return;
    }
    ShowMarkers(m_markers.GetPosition());
    if (verdict == trim::Verdict::Refused)
        ::MessageBoxA(nullptr, "The start time cannot be qual to or greater than the end time!", "Infomation",
                      MB_ICONINFORMATION);
}

void CTrimDlg::OnStartOk(UINT, int, HWND) {
    ShowVerdict(trim::AcceptStart(m_range, EditText(IDC_TRIM_START_TIME)));
}

void CTrimDlg::OnEndOk(UINT, int, HWND) {
    ShowVerdict(trim::AcceptEnd(m_range, EditText(IDC_TRIM_END_TIME)));
}

void CTrimDlg::ShowPositionMarker() {
    Player().Pause();
    const int position = m_markers.GetPosition();
    Player().SetPosition(position);
    // A drag posts a move per step: only the latest is worth decoding.
    MSG later;
    if (::PeekMessageA(&later, m_hWnd, msg::kTrimPositionMoved, msg::kTrimPositionMoved, PM_NOREMOVE)) return;
    Player().Refresh(position);
}

void CTrimDlg::OnMarkersScrolled(int, int, HWND bar) {
    if (bar != m_markers.m_hWnd) {
        SetMsgHandled(FALSE);
        return;
    }
    ShowPositionMarker();
}

LRESULT CTrimDlg::OnPositionMoved(UINT, WPARAM, LPARAM, BOOL&) {
    ShowPositionMarker();
    return 0;
}

LRESULT CTrimDlg::OnStartMoved(UINT, WPARAM, LPARAM marker, BOOL&) {
    trim::MoveStartMarker(m_range, static_cast<int>(marker));
    ShowTexts();
    return 0;
}

LRESULT CTrimDlg::OnEndMoved(UINT, WPARAM, LPARAM marker, BOOL&) {
    trim::MoveEndMarker(m_range, static_cast<int>(marker));
    ShowTexts();
    return 0;
}

void CTrimDlg::OnReset() {
    if (!m_context.Clip()) return;
    trim::Reset(m_range);
    ShowTexts();
    ShowMarkers(0);
}

void CTrimDlg::OnOK() {
    ClosePreview();
    if (ClipRecord* clip = m_context.Clip()) {
        trim::Store(m_range, *clip);
        m_context.RedrawList();
    }
    EndDialog(IDOK);
}
