// The main window's output-format selectors and the settings dialog over them.
#include "app/MainDlg.h"
#include "settings/SettingsDlg.h"

namespace {

struct Selector {
    int id;
    settings::OptionList settings::FormatProfile::*list;
};

constexpr Selector kSelectors[] = {
    {IDC_RESOLUTION, &settings::FormatProfile::resolution},
    {IDC_VIDEO_BITRATE, &settings::FormatProfile::videoBitrate},
    {IDC_AUDIO_BITRATE, &settings::FormatProfile::audioBitrate},
};

}  // namespace

LRESULT CMainDlg::OnSettings(WORD, WORD, HWND, BOOL&) {
    {
        CSettingsDlg dialog(m_hWnd, m_formatProfiles);
        dialog.DoModal();
    }
    ::InvalidateRect(GetDlgItem(IDC_PREVIEW_AREA), nullptr, TRUE);
    return 0;
}

LRESULT CMainDlg::OnFormatChanged(WORD, WORD, HWND, BOOL&) {
    const auto selection = static_cast<int32_t>(::SendDlgItemMessageA(m_hWnd, IDC_FORMAT, CB_GETCURSEL, 0, 0));
    const settings::FormatProfile* profile = settings::ProfileAt(m_formatProfiles, selection);
    for (const Selector& selector : kSelectors) {
        for (int i = 0; i < 20; ++i) ::SendDlgItemMessageA(m_hWnd, selector.id, CB_DELETESTRING, 0, 0);
        if (!profile) continue;
        const settings::OptionList& list = profile->*selector.list;
        for (const std::string& entry : settings::Entries(list))
            ::SendDlgItemMessageA(m_hWnd, selector.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        ::SendDlgItemMessageA(m_hWnd, selector.id, CB_SETCURSEL, settings::DefaultIndex(list), 0);
    }
    if (!profile) return 0;
    const BOOL video = settings::HasVideo(*profile);
    for (int id : {IDC_VIDEO_BITRATE, IDC_RESOLUTION, IDC_PICTURE_FIT}) ::EnableWindow(GetDlgItem(id), video);
    return 0;
}
