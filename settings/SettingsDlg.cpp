#include "settings/SettingsDlg.h"

#include "controls/SkinFiles.h"
#include "framework/ProgramFolder.h"
#include "layout/DialogLayout.h"

namespace {

namespace settingsdlg = layout::settingsdlg;

constexpr SkinFrameStyle kFrame = DialogLook(settingsdlg::kWidth, settingsdlg::kHeight, true,
                                              {"Arial", 18, 800, RGB(240, 240, 240), {10, 5, 490, 20}},
                                              IDC_SETTINGS_CLOSE);

// The controls besides the skinned buttons.
constexpr layout::ControlPlace kControls[] = {
    {IDC_SETTINGS_VIDEO_GROUP, {20, 40, 460, 90}, true},
    {IDC_SETTINGS_AUDIO_GROUP, {20, 140, 460, 90}, true},
    {IDC_SETTINGS_RESOLUTION, {110, 80, 120, 20}, true},
    {IDC_SETTINGS_VIDEO_BITRATE, {340, 80, 120, 20}, true},
    {IDC_SETTINGS_CHANNELS, {110, 180, 120, 20}, true},
    {IDC_SETTINGS_AUDIO_BITRATE, {340, 180, 120, 20}, true},
    {IDC_SETTINGS_UNUSED1, {110, 120, 120, 20}, false},
    {IDC_SETTINGS_UNUSED2, {340, 120, 120, 20}, false},
    {IDC_SETTINGS_UNUSED3, {110, 260, 120, 20}, false},
    {IDC_SETTINGS_UNUSED4, {230, 180, 120, 20}, false},
};

constexpr int kLists[] = {IDC_SETTINGS_RESOLUTION, IDC_SETTINGS_VIDEO_BITRATE, IDC_SETTINGS_CHANNELS,
                          IDC_SETTINGS_AUDIO_BITRATE, IDC_SETTINGS_UNUSED1, IDC_SETTINGS_UNUSED2,
                          IDC_SETTINGS_UNUSED3, IDC_SETTINGS_UNUSED4};

// Which of the owner's selectors each list of the dialog stands for.
struct Pair {
    int dialogList;
    int ownerSelector;
    settings::OptionList settings::FormatProfile::*list;
};

constexpr Pair kPairs[] = {
    {IDC_SETTINGS_RESOLUTION, IDC_RESOLUTION, &settings::FormatProfile::resolution},
    {IDC_SETTINGS_VIDEO_BITRATE, IDC_VIDEO_BITRATE, &settings::FormatProfile::videoBitrate},
    {IDC_SETTINGS_AUDIO_BITRATE, IDC_AUDIO_BITRATE, &settings::FormatProfile::audioBitrate},
};

void DrawLabel(HDC dc, int x, int y, const char* text) {
    ::TextOutA(dc, x, y, text, static_cast<int>(std::char_traits<char>::length(text)));
}

}  // namespace

CSettingsDlg::CSettingsDlg(HWND owner, const settings::FormatProfiles& profiles)
    : CSkinDialog(IDD_SETTINGS, owner, kFrame), m_profiles(profiles) {}

BOOL CSettingsDlg::OnInitDialog() {
    SetUpFrame();
    PlaceControls();
    FillLists();
    return TRUE;
}

void CSettingsDlg::SetUpFrame() {
    LoadBackground(fw::ProgramFolder() + skinfiles::kDialogFolder + "settings_bk.bmp");
    SetTitle("Settings");
    ApplyShape();

    // Centred on the owner.
    RECT owner;
    if (!Owner() || !::GetWindowRect(Owner(), &owner)) ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &owner, 0);
    const int x = owner.left + (owner.right - owner.left - settingsdlg::kWidth) / 2;
    const int y = owner.top + (owner.bottom - owner.top - settingsdlg::kHeight) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CSettingsDlg::PlaceControls() {
    for (const layout::ControlPlace& place : kControls) PlaceControl(place.id, place.box, place.shown);
    PlaceButtons(settingsdlg::kButtons, fw::ProgramFolder() + skinfiles::kDialogFolder);
}

const settings::FormatProfile* CSettingsDlg::ChosenProfile() const {
    const auto selection = static_cast<int32_t>(::SendDlgItemMessageA(Owner(), IDC_FORMAT, CB_GETCURSEL, 0, 0));
    return settings::ProfileAt(m_profiles, selection);
}

void CSettingsDlg::FillLists() {
    for (int id : kLists) {
        for (int i = 0; i < 20; ++i) ::SendDlgItemMessageA(m_hWnd, id, CB_DELETESTRING, 0, 0);
    }
    ::SendDlgItemMessageA(m_hWnd, IDC_SETTINGS_CHANNELS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("2 Channels"));
    ::SendDlgItemMessageA(m_hWnd, IDC_SETTINGS_CHANNELS, CB_SETCURSEL, 0, 0);
    // With no format chosen there is no profile to read: the lists stay empty.
    const settings::FormatProfile* profile = ChosenProfile();
    if (!profile) return;
    for (const Pair& pair : kPairs) {
        const settings::OptionList& list = profile->*pair.list;
        for (const std::string& entry : settings::Entries(list))
            ::SendDlgItemMessageA(m_hWnd, pair.dialogList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        ::SendDlgItemMessageA(m_hWnd, pair.dialogList, CB_SETCURSEL, settings::DefaultIndex(list), 0);
    }
    // The owner's current choices replace the defaults.
    for (const Pair& pair : kPairs) {
        LRESULT chosen = ::SendDlgItemMessageA(Owner(), pair.ownerSelector, CB_GETCURSEL, 0, 0);
        ::SendDlgItemMessageA(m_hWnd, pair.dialogList, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    }
}

void CSettingsDlg::OnOK() {
    // Only positions of a chosen format's lists go back; the channels stay.
    if (ChosenProfile()) {
        for (const Pair& pair : kPairs) {
            LRESULT chosen = ::SendDlgItemMessageA(m_hWnd, pair.dialogList, CB_GETCURSEL, 0, 0);
            ::SendDlgItemMessageA(Owner(), pair.ownerSelector, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
        }
    }
    EndDialog(IDOK);
}

void CSettingsDlg::PaintBody(HDC dc) {
    fw::Font labels(fw::MakeFont("Arial", 16, 400));
    fw::ScopedSelect font(dc, labels);
    ::SetTextColor(dc, RGB(20, 20, 20));
    DrawLabel(dc, 40, 82, "Resolution:");
    DrawLabel(dc, 290, 82, "Bitrate:");
    DrawLabel(dc, 50, 182, "Channels:");
    DrawLabel(dc, 290, 182, "Bitrate:");
}
