// The small skinned settings dialog: a video resolution, a video bit rate,
// the audio channels and an audio bit rate for the output format chosen in
// the owner's format selector, read from the output-format profiles. OK hands
// the chosen positions back to the owner's selectors; nothing is saved.
#pragma once

#include "controls/SkinDialog.h"
#include "res/resource.h"
#include "settings/FormatProfile.h"

class CSettingsDlg : public CSkinDialog {
public:
    // `owner` holds the format selectors (the main window).
    CSettingsDlg(HWND owner, const settings::FormatProfiles& profiles);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The lists' labels.
    void PaintBody(HDC dc) override;

private:
    void SetUpFrame();
    void PlaceControls();
    void FillLists();
    // The profile at the owner's format selection, or null when none is chosen.
    const settings::FormatProfile* ChosenProfile() const;
    HWND Owner() const { return ::GetParent(m_hWnd); }

    const settings::FormatProfiles& m_profiles;
};
