// The small skinned settings dialog: a video resolution, a video bit rate,
// the audio channels and an audio bit rate for the output format chosen in
// the owner's format selector, read from the output-format profiles. OK hands
// the chosen positions back to the owner's selectors; nothing is saved.
#pragma once

#include "controls/HoverButton.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "res/resource.h"
#include "settings/FormatProfile.h"

class CSettingsDlg : public fw::CDialog {
public:
    // `owner` holds the format selectors (the main window).
    CSettingsDlg(HWND owner, const settings::FormatProfiles& profiles)
        : fw::CDialog(IDD_SETTINGS, owner), m_profiles(profiles) {}

    BEGIN_MSG_MAP(CSettingsDlg)
        MSG_WM_ERASEBKGND(OnEraseBkgnd)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        COMMAND_ID_HANDLER_EX(IDC_SETTINGS_CLOSE, OnCloseButton)
        CHAIN_MSG_MAP(fw::CDialog)
    END_MSG_MAP()

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    BOOL OnEraseBkgnd(HDC dc);
    void OnLButtonDown(UINT, POINT at);
    void OnCloseButton(UINT, int, HWND) {
        OnCancel();
    }
    void SetUpFrame();
    void PlaceControls();
    void FillLists();
    // The profile at the owner's format selection, or null when none is chosen.
    const settings::FormatProfile* ChosenProfile() const;
    HWND Owner() const { return ::GetParent(m_hWnd); }

    const settings::FormatProfiles& m_profiles;
    fw::Bitmap m_background;
    CHoverButton m_ok;
    CHoverButton m_cancel;
    CHoverButton m_close;
};
