// The effects dialog: brightness, contrast, saturation, a gray or negative
// picture and the sound's volume, previewed live on every picture and sound
// segment. OK stores the five values into the main window's current edit
// settings and the selected recording's record.
#pragma once

#include <windows.h>

#include <atomic>

#include "controls/SkinTrackBar.h"
#include "editing/EditingFrame.h"
#include "editing/EffectRules.h"
#include "editing/SharedValue.h"
#include "res/resource.h"

class CEffectDlg : public CEditingFrame {
public:
    explicit CEffectDlg(const EditingContext& context);

    // What the dialog holds now (tests look at it).
    effects::PictureSettings Picture() const { return m_picture.Get(); }
    int32_t Volume() const { return m_volume.load(); }

    BEGIN_MSG_MAP(CEffectDlg)
        MSG_WM_HSCROLL(OnHScroll)
        COMMAND_HANDLER_EX(IDC_EFFECT_LIST, CBN_SELCHANGE, OnEffectListChanged)
        CHAIN_MSG_MAP(CEditingFrame)
    END_MSG_MAP()

protected:
    bool InitControls() override;
    void PaintLabels(HDC dc) override;
    void MoveSlider(int percent) override { m_position.SetPos(percent); }
    void OnReset() override;
    // Playing never began: the buttons kept off until then come back, so the
    // dialog can always be closed.
    void OnPreviewEndedWithoutPlaying() override { EnableClosing(true); }
    void AddFilters(PreviewHooks& hooks) override;
    void OnOK() override;

private:
    void OnHScroll(int code, int position, HWND bar);
    void OnEffectListChanged(UINT, int, HWND);
    // Sliders and list from values (brightness and saturation shown + 100).
    void ShowValues(const effects::PictureSettings& picture, int32_t volume);
    void ShowValues(const EditSettings& edits);
    void RefreshIfIdle();

    SharedValue<effects::PictureSettings> m_picture;
    std::atomic<int32_t> m_volume{100};
    CSkinTrackBar m_position, m_brightness, m_contrast, m_saturation, m_volumeBar;
};
