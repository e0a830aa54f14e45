// The main window's output-format selectors and the settings dialog over
// them. The one format offered, MP4, is chosen at start-up; the picture size
// and bit rates chosen in the dialog are kept in config.ini's [Convert].
#include "app/MainDlg.h"
#include "app/StatusText.h"
#include "engine/ConfigFile.h"
#include "framework/IniFile.h"
#include "settings/ConvertChoice.h"
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

int32_t Selection(HWND dialog, int id) {
    return static_cast<int32_t>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

}  // namespace

void CMainDlg::SetUpFormats() {
    settings::FillProfiles(m_formatProfiles);
    HWND format = GetDlgItem(IDC_FORMAT);
    ::SendMessageA(format, CB_RESETCONTENT, 0, 0);
    // The selector's entries stand for the profiles at the same places.
    for (const settings::FormatProfile& profile : m_formatProfiles) {
        if (profile.name.empty()) break;
        ::SendMessageA(format, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(profile.name.c_str()));
    }
    ::SendMessageA(format, CB_SETCURSEL, 0, 0);
    FillFormatSelectors();

    const settings::ChoicePositions chosen = settings::PositionsOf(config::ReadConvertChoice());
    ::SendDlgItemMessageA(m_hWnd, IDC_RESOLUTION, CB_SETCURSEL, static_cast<WPARAM>(chosen.resolution), 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_VIDEO_BITRATE, CB_SETCURSEL, static_cast<WPARAM>(chosen.videoBitrate), 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_AUDIO_BITRATE, CB_SETCURSEL, static_cast<WPARAM>(chosen.audioBitrate), 0);
}

void CMainDlg::SaveConvertChoice() {
    const settings::ConvertChoice choice = settings::ChoiceAt(
        {Selection(m_hWnd, IDC_RESOLUTION), Selection(m_hWnd, IDC_VIDEO_BITRATE), Selection(m_hWnd, IDC_AUDIO_BITRATE)});
    const CIniFile ini(config::FilePath());
    const std::pair<const char*, int32_t> values[] = {{settings::kWidthKey, choice.width},
                                                      {settings::kHeightKey, choice.height},
                                                      {settings::kVideoKbpsKey, choice.videoKbps},
                                                      {settings::kAudioKbpsKey, choice.audioKbps}};
    bool saved = true;
    for (const auto& [key, value] : values)
        saved = ini.WriteString(settings::kConvertSection, key, std::to_string(value).c_str()) && saved;
    if (!saved) SetStatus(UnsavedSettingStatus("Conversion settings", ini.Path()));
}

void CMainDlg::OnSettings(UINT, int, HWND) {
    INT_PTR result = IDCANCEL;
    {
        CSettingsDlg dialog(m_hWnd, m_formatProfiles);
        result = dialog.DoModal();
    }
    if (result == IDOK) SaveConvertChoice();
    ::InvalidateRect(GetDlgItem(IDC_PREVIEW_AREA), nullptr, TRUE);
}

void CMainDlg::OnFormatChanged(UINT, int, HWND) {
    FillFormatSelectors();
}

void CMainDlg::FillFormatSelectors() {
    const settings::FormatProfile* profile = settings::ProfileAt(m_formatProfiles, Selection(m_hWnd, IDC_FORMAT));
    for (const Selector& selector : kSelectors) {
        for (int i = 0; i < 20; ++i) ::SendDlgItemMessageA(m_hWnd, selector.id, CB_DELETESTRING, 0, 0);
        if (!profile) continue;
        const settings::OptionList& list = profile->*selector.list;
        for (const std::string& entry : settings::Entries(list))
            ::SendDlgItemMessageA(m_hWnd, selector.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        ::SendDlgItemMessageA(m_hWnd, selector.id, CB_SETCURSEL, settings::DefaultIndex(list), 0);
    }
    if (!profile) return;
    const BOOL video = settings::HasVideo(*profile);
    for (int id : {IDC_VIDEO_BITRATE, IDC_RESOLUTION, IDC_PICTURE_FIT}) ::EnableWindow(GetDlgItem(id), video);
}
