// The crop and zoom dialog: chooses the rectangle of the recording's picture
// to keep, from presets, from source-pixel edits with up-down controls or by
// dragging it in the preview, where everything outside it is dimmed; and the
// zoom mode, which is only stored. OK stores both into the main window's
// current edit settings and the selected recording's record.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "controls/SkinTrackBar.h"
#include "editing/CropRules.h"
#include "editing/EditingFrame.h"
#include "editing/SharedValue.h"
#include "res/resource.h"

class CCropDlg : public CEditingFrame {
public:
    explicit CCropDlg(const EditingContext& context);

    // What the dialog holds now (tests look at it).
    crop::Rect CropRect() const { return m_rect; }
    int32_t CropMode() const { return m_cropMode; }

    BEGIN_MSG_MAP(CCropDlg)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        MSG_WM_LBUTTONDBLCLK(OnLButtonDblClk)
        MSG_WM_MOUSEMOVE(OnMouseMove)
        MSG_WM_LBUTTONUP(OnLButtonUp)
        MSG_WM_CAPTURECHANGED(OnCaptureChanged)
        MSG_WM_SETCURSOR(OnSetCursor)
        MSG_WM_HSCROLL(OnHScroll)
        COMMAND_HANDLER_EX(IDC_CROP_MODE_LIST, CBN_SELCHANGE, OnCropListChanged)
        COMMAND_ID_HANDLER_EX(IDC_CROP_PLAY, OnPlay)
        NOTIFY_HANDLER(IDC_CROP_TOP_SPIN, UDN_DELTAPOS, OnEdgeStep)
        NOTIFY_HANDLER(IDC_CROP_BOTTOM_SPIN, UDN_DELTAPOS, OnEdgeStep)
        NOTIFY_HANDLER(IDC_CROP_LEFT_SPIN, UDN_DELTAPOS, OnEdgeStep)
        NOTIFY_HANDLER(IDC_CROP_RIGHT_SPIN, UDN_DELTAPOS, OnEdgeStep)
        CHAIN_MSG_MAP(CEditingFrame)
    END_MSG_MAP()

protected:
    bool InitControls() override;
    void PaintLabels(HDC dc) override;
    void MoveSlider(int percent) override { m_position.SetPos(percent); }
    void OnReset() override;
    void BeforeAutomaticStart() override { SetEdgeRanges(); }
    void AddFilters(PreviewHooks& hooks) override;
    void OnOK() override;

private:
    void OnLButtonDown(UINT, POINT at);
    void OnLButtonDblClk(UINT, POINT at);
    // Starts a rectangle drag when the press is on the rectangle.
    bool BeginRectDrag(POINT at);
    void OnMouseMove(UINT, POINT at);
    void OnLButtonUp(UINT, POINT at);
    void OnCaptureChanged(HWND);
    BOOL OnSetCursor(HWND, UINT hitTest, UINT message);
    void OnHScroll(int code, int position, HWND bar);
    void OnCropListChanged(UINT, int, HWND);
    void OnPlay(UINT, int, HWND);
    LRESULT OnEdgeStep(int id, NMHDR*, BOOL&);

    // The preview grid point under a dialog client point.
    static POINT ToGrid(POINT client);
    void SetRect(const crop::Rect& rect);
    void SetCropMode(int32_t mode);
    // Up-down ranges from the source size, edits from the rectangle.
    void SetEdgeRanges();
    void UpdateEdits();
    // When idle: the picture at the position with the rectangle drawn on it.
    void ShowIfIdle();
    void DrawRect();
    bool Idle() const { return Playback().CurrentPlayState() != PlayState::Playing; }
    static HCURSOR CursorFor(crop::Drag hit);

    crop::Rect m_rect;
    // The worker's copy, taken once per picture.
    SharedValue<crop::Rect> m_sharedRect;
    int32_t m_cropMode = 0;
    int32_t m_zoomMode = 0;
    int32_t m_brightnessLevel = 128;
    int32_t m_sourceWidth = 720, m_sourceHeight = 480;
    crop::RectDrag m_drag;
    CSkinTrackBar m_position;
};
