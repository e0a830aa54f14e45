// The frame shared by the editing dialogs: a 600 × 450 caption-less window
// with round top corners, centred, dragged by its background; the skin's
// background picture with the title and the labels painted on it; the
// skinned Play, Pause, Stop, Reset, OK, Cancel and Close buttons; and the
// 320 × 240 preview with its surface and the preview player. A dialog gives
// its template, ids, background and automatic-start message, and adds its own
// controls and settings through the virtual steps below.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/HoverButton.h"
#include "editing/EditingContext.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/PrivateMessages.h"
#include "playback/PreviewPlayer.h"
#include "playback/PreviewSurface.h"

struct EditingFrameLayout {
    int templateId;
    // The buttons' and the preview control's ids (OK and Cancel are IDOK, IDCANCEL).
    int playId, pauseId, stopId, resetId, closeId, previewId;
    int previewX;            // the preview control at (previewX, 51)
    const char* background;  // file in "skin\little"
    const char* title;       // "" for none
    UINT automaticStartMessage;
    // Escape acts as Cancel; otherwise it is discarded before the dialog sees it.
    bool escapeCancels;
    // Stop keeps the position (and Pause does what Stop does) instead of
    // going back to the start.
    bool stopKeepsPosition;
};

// A text drawn on the background at (x, y).
struct FrameLabel {
    const char* text;
    int x, y;
};

class CEditingFrame : public fw::CDialog {
public:
    static constexpr int kWidth = 600, kHeight = 450;
    static constexpr int kPreviewWidth = 320, kPreviewHeight = 240;

    CEditingFrame(const EditingFrameLayout& layout, const EditingContext& context);
    ~CEditingFrame() override;

    const CPreviewPlayer& Playback() const { return *m_player; }
    const EditingContext& Context() const { return m_context; }

    BOOL PreTranslateMessage(MSG* msg) override;

    BEGIN_MSG_MAP(CEditingFrame)
        MSG_WM_ERASEBKGND(OnEraseBkgnd)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        MESSAGE_HANDLER(m_layout.automaticStartMessage, OnAutomaticStartMessage)
        MESSAGE_HANDLER(msg::kPreviewMoveSlider, OnMoveSliderMessage)
        MESSAGE_HANDLER(msg::kPreviewEndedWithoutPlaying, OnEndedWithoutPlayingMessage)
        COMMAND_ID_HANDLER_EX(m_layout.playId, OnPlayCommand)
        COMMAND_ID_HANDLER_EX(m_layout.pauseId, OnPauseCommand)
        COMMAND_ID_HANDLER_EX(m_layout.stopId, OnStopCommand)
        COMMAND_ID_HANDLER_EX(m_layout.resetId, OnResetCommand)
        COMMAND_ID_HANDLER_EX(m_layout.closeId, OnCloseCommand)
        CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

protected:
    // Builds the frame, then InitControls, then (with a recording selected)
    // the surface and the automatic start.
    BOOL OnInitDialog() override;
    // Stops the preview, gives the surface up and closes without storing.
    void OnCancel() override;
    // The program is ending under the dialog: the owner makes its own
    // surface as soon as the dialog returns, so this one goes now.
    void OnQuitMessage() override { ClosePreview(); }
    // The dialog's own controls and values; false leaves the dialog without
    // preview (nothing to play).
    virtual bool InitControls() = 0;
    virtual void PaintLabels(HDC dc) = 0;
    // Draws labels in Arial of the given height and weight.
    static void PaintTexts(HDC dc, const FrameLabel* labels, size_t count, int height, int weight,
                           COLORREF colour);
    // The dialog's position slider, on the dialog's thread.
    virtual void MoveSlider(int percent) = 0;
    virtual void OnReset() = 0;
    // Just before the automatic start plays.
    virtual void BeforeAutomaticStart() {}
    // The worker ended without playing (file gone, no sound device).
    virtual void OnPreviewEndedWithoutPlaying() {}
    // Whether a press on the background at `client` drags the window.
    virtual bool PressDragsWindow(POINT) { return true; }
    // Frame filter and audio filter, for the dialogs that change what plays.
    virtual void AddFilters(PreviewHooks&) {}

    // Stops the worker and gives the surface up: the first step of OK and Cancel.
    void ClosePreview();
    // Places a control of the template.
    void Place(int id, int x, int y, int width, int height);
    CPreviewPlayer& Player() { return *m_player; }
    CPreviewSurface& Surface() { return m_surface; }
    HWND PreviewWindow() const { return GetDlgItem(m_layout.previewId); }
    // The buttons the worker enables once it plays.
    void EnableClosing(bool enable);

    EditingContext m_context;
    const EditingFrameLayout m_layout;

private:
    void SetUpFrame();
    void SetUpButtons();
    void CreatePlayer();
    BOOL OnEraseBkgnd(HDC dc);
    void OnLButtonDown(UINT, POINT at);
    LRESULT OnAutomaticStartMessage(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMoveSliderMessage(UINT, WPARAM percent, LPARAM, BOOL&);
    LRESULT OnEndedWithoutPlayingMessage(UINT, WPARAM, LPARAM, BOOL&);
    void OnPlayCommand(UINT, int, HWND);
    void OnPauseCommand(UINT, int, HWND);
    void OnStopCommand(UINT, int, HWND);
    void OnResetCommand(UINT, int, HWND);
    void OnCloseCommand(UINT, int, HWND);

    fw::Bitmap m_background;
    CHoverButton m_buttons[7];
    CHoverButton m_preview;
    CPreviewSurface m_surface;
    bool m_surfaceMade = false;
    std::unique_ptr<CPreviewPlayer> m_player;
};
