#include "editing/EditingFrame.h"

#include <cstring>
#include <vector>

#include "controls/SkinFiles.h"
#include "editing/DecimalTruncate.h"
#include "framework/ProgramFolder.h"

namespace {

namespace editframe = layout::editframe;

std::string DialogSkinFolder() {
    return fw::ProgramFolder() + skinfiles::kDialogFolder;
}

SkinFrameStyle FrameStyle(const EditingFrameLayout& layout) {
    constexpr SkinTitleStyle kTitle{"Arial", 16, 800, RGB(255, 255, 255),
                                    {10, 5, editframe::kWidth - 10, editframe::kHeight - 5}};
    return DialogLook(editframe::kWidth, editframe::kHeight, false, kTitle, layout.closeId);
}

}  // namespace

CEditingFrame::CEditingFrame(const EditingFrameLayout& layout, const EditingContext& context)
    : CSkinDialog(layout.templateId, static_cast<HWND>(context.owner), FrameStyle(layout)),
      m_context(context),
      m_layout(layout) {}

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
    LoadBackground(DialogSkinFolder() + m_layout.background);
    SetTitle(m_layout.title);
    ApplyShape();
    // Centred on the screen's work area: centred on the main window at the
    // screen's corner, the left of the dialog would be off the screen.
    RECT area;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + (area.right - area.left - editframe::kWidth) / 2;
    const int y = area.top + (area.bottom - area.top - editframe::kHeight) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CEditingFrame::SetUpButtons() {
    // The layout's buttons carry this dialog's ids, in the layout's order.
    const int ids[] = {m_layout.playId, m_layout.pauseId, m_layout.stopId, m_layout.resetId,
                       IDOK,          IDCANCEL,       m_layout.closeId};
    static_assert(std::size(ids) == std::size(editframe::kButtons));
    std::vector<layout::ButtonPlace> buttons;
    for (size_t i = 0; i < std::size(ids); ++i) {
        buttons.push_back(editframe::kButtons[i]);
        buttons.back().id = ids[i];
    }
    // The preview shows the same picture in every state and takes no clicks.
    buttons.push_back({m_layout.previewId, "screen",
                       {m_layout.previewX, editframe::kPreviewTop, kPreviewWidth, kPreviewHeight},
                       true, layout::Pictures::One});
    PlaceButtons(buttons, DialogSkinFolder());
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

void CEditingFrame::PaintTexts(HDC dc, const FrameLabel* labels, size_t count, int height, int weight,
                               COLORREF colour) {
    fw::Font face(fw::MakeFont("Arial", height, weight));
    fw::ScopedSelect font(dc, face);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    for (size_t i = 0; i < count; ++i)
        ::TextOutA(dc, labels[i].x, labels[i].y, labels[i].text, static_cast<int>(std::strlen(labels[i].text)));
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
