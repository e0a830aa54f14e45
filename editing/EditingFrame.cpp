#include "editing/EditingFrame.h"

#include <cstring>

#include "controls/SkinBitmaps.h"
#include "controls/SkinFiles.h"
#include "editing/DecimalTruncate.h"
#include "framework/ProgramFolder.h"

namespace {

// Where the frame's buttons sit, in the order of m_buttons.
struct ButtonPlace {
    const char* skin;
    int x, y, width, height;
};
constexpr ButtonPlace kButtonPlaces[] = {
    {"play", 49, 309, 36, 38},   {"pause", 15, 311, 34, 34},   {"stop", 85, 311, 34, 34},
    {"reset", 284, 406, 97, 30}, {"ok", 386, 406, 97, 30},     {"cancel", 490, 406, 97, 30},
    {"close", 570, 4, 21, 19},
};

std::string DialogSkinFolder() {
    return fw::ProgramFolder() + skinfiles::kDialogFolder;
}

}  // namespace

CEditingFrame::CEditingFrame(const EditingFrameLayout& layout, const EditingContext& context)
    : fw::CDialog(layout.templateId, static_cast<HWND>(context.owner)), m_context(context), m_layout(layout) {}

CEditingFrame::~CEditingFrame() {
    // The worker may still draw on the surface: it goes first.
    m_player.reset();
    if (m_surfaceMade) m_surface.Destroy();
}

BOOL CEditingFrame::OnInitDialog() {
    SetUpFrame();
    SetUpButtons();
    CreatePlayer();
    if (!InitControls()) return TRUE;
    const ClipRecord* clip = m_context.Clip();
    if (!clip) return TRUE;
    m_surfaceMade = true;
    m_surface.Create(PreviewWindow(), m_context.sourceWidth, m_context.sourceHeight, kPreviewWidth,
                     kPreviewHeight);
    m_player->Select(m_context.selectedIndex, clip->path, m_context.sourceWidth, m_context.sourceHeight,
                     m_context.hasVideo);
    CPreviewPlayer::PostAutomaticStart(m_hWnd, m_layout.automaticStartMessage);
    return TRUE;
}

void CEditingFrame::SetUpFrame() {
    m_background.Reset(static_cast<HBITMAP>(::LoadImageA(
        nullptr, (DialogSkinFolder() + m_layout.background).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    ::SetWindowLongA(m_hWnd, GWL_STYLE, style & ~WS_CAPTION);
    // Only the top corners are round.
    HRGN shape = ::CreateRoundRectRgn(0, 0, kWidth + 1, kHeight + 1, 10, 10);
    HRGN lower = ::CreateRectRgn(0, 100, kWidth + 1, kHeight + 1);
    ::CombineRgn(shape, shape, lower, RGN_OR);
    ::DeleteObject(lower);
    ::SetWindowRgn(m_hWnd, shape, TRUE);  // the system owns the region now
    // Centred on the screen's work area: centred on the main window at the
    // screen's corner, the left of the dialog would be off the screen.
    RECT area;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + (area.right - area.left - kWidth) / 2;
    const int y = area.top + (area.bottom - area.top - kHeight) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, kWidth, kHeight, SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CEditingFrame::SetUpButtons() {
    const std::string folder = DialogSkinFolder();
    const int ids[] = {m_layout.playId, m_layout.pauseId, m_layout.stopId, m_layout.resetId,
                       IDOK,          IDCANCEL,       m_layout.closeId};
    for (size_t i = 0; i < std::size(ids); ++i) {
        const ButtonPlace& place = kButtonPlaces[i];
        m_buttons[i].SubclassDlgItem(ids[i], m_hWnd);
        m_buttons[i].LoadSkin(folder, place.skin);
        Place(ids[i], place.x, place.y, place.width, place.height);
    }
    // The preview shows the same picture in every state and takes no clicks.
    const std::string screen = folder + "screen.bmp";
    m_preview.SubclassDlgItem(m_layout.previewId, m_hWnd);
    m_preview.LoadBitmapFiles(screen.c_str(), screen.c_str(), screen.c_str());
    Place(m_layout.previewId, m_layout.previewX, 51, kPreviewWidth, kPreviewHeight);
    ::EnableWindow(PreviewWindow(), FALSE);
}

void CEditingFrame::CreatePlayer() {
    PreviewHooks hooks;
    hooks.previewWindow = PreviewWindow();
    hooks.surface = &m_surface;
    hooks.stopKeepsPosition = m_layout.stopKeepsPosition;
    HWND self = m_hWnd;
    // The worker reaches the dialog's controls through the dialog's thread:
    // sent, so the slider follows the picture; the player lets sent messages
    // through while it waits for the worker.
    hooks.moveSlider = [self](int percent) {
        ::SendMessageA(self, msg::kPreviewMoveSlider, static_cast<WPARAM>(percent), 0);
    };
    hooks.onPlaying = [this] { EnableClosing(true); };
    hooks.onEndedWithoutPlaying = [self] { ::PostMessageA(self, msg::kPreviewEndedWithoutPlaying, 0, 0); };
    AddFilters(hooks);
    m_player = std::make_unique<CPreviewPlayer>(std::move(hooks));
}

void CEditingFrame::Place(int id, int x, int y, int width, int height) {
    ::SetWindowPos(GetDlgItem(id), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CEditingFrame::EnableClosing(bool enable) {
    for (int id : {IDOK, IDCANCEL, m_layout.closeId}) ::EnableWindow(GetDlgItem(id), enable);
}

void CEditingFrame::ClosePreview() {
    m_player->Pause();
    if (m_surfaceMade) m_surface.Destroy();
    m_surfaceMade = false;
}

void CEditingFrame::OnCancel() {
    ClosePreview();
    EndDialog(IDCANCEL);
}

BOOL CEditingFrame::PreTranslateMessage(MSG* msg) {
    if (!m_layout.escapeCancels && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) return TRUE;
    return fw::CDialog::PreTranslateMessage(msg);
}

BOOL CEditingFrame::OnEraseBkgnd(HDC dc) {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    // Without its picture the dialog still works, on a plain face.
    if (!m_background) ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    skinbmp::Copy(dc, 0, 0, m_background);
    ::SetBkMode(dc, TRANSPARENT);
    if (*m_layout.title) {
        fw::Font title(fw::MakeFont("Arial", 16, 800));
        fw::ScopedSelect font(dc, title);
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::TextOutA(dc, 10, 5, m_layout.title, static_cast<int>(std::strlen(m_layout.title)));
    }
    PaintLabels(dc);
    return TRUE;
}

void CEditingFrame::PaintTexts(HDC dc, const FrameLabel* labels, size_t count, int height, int weight,
                               COLORREF colour) {
    fw::Font face(fw::MakeFont("Arial", height, weight));
    fw::ScopedSelect font(dc, face);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    for (size_t i = 0; i < count; ++i)
        ::TextOutA(dc, labels[i].x, labels[i].y, labels[i].text, static_cast<int>(std::strlen(labels[i].text)));
}

void CEditingFrame::OnLButtonDown(UINT, POINT at) {
    Default();
    // A press anywhere on the background drags the dialog.
    if (PressDragsWindow(at)) PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

LRESULT CEditingFrame::OnAutomaticStartMessage(UINT, WPARAM, LPARAM, BOOL&) {
    if (!m_context.Clip()) return 0;
    m_player->SetPosition(TruncateDecimal(m_context.position * 100.0));
    BeforeAutomaticStart();
    m_player->Play();
    return 0;
}

LRESULT CEditingFrame::OnMoveSliderMessage(UINT, WPARAM percent, LPARAM, BOOL&) {
    MoveSlider(static_cast<int>(percent));
    return 0;
}

LRESULT CEditingFrame::OnEndedWithoutPlayingMessage(UINT, WPARAM, LPARAM, BOOL&) {
    OnPreviewEndedWithoutPlaying();
    return 0;
}

void CEditingFrame::OnPlayCommand(UINT, int, HWND) {
    m_player->Play();
}

void CEditingFrame::OnPauseCommand(UINT, int, HWND) {
    if (m_layout.stopKeepsPosition)
        m_player->Stop();  // keeps the position, moves the slider there and shows it
    else
        m_player->Pause();
}

void CEditingFrame::OnStopCommand(UINT, int, HWND) {
    m_player->Stop();
}

void CEditingFrame::OnResetCommand(UINT, int, HWND) {
    OnReset();
}

void CEditingFrame::OnCloseCommand(UINT, int, HWND) {
    OnCancel();
}
