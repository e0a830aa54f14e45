#include "settings/SettingsDlg.h"

#include "controls/SkinBitmaps.h"
#include "controls/SkinFiles.h"
#include "framework/ProgramFolder.h"

namespace {

constexpr int kWidth = 500, kHeight = 300;

struct Place {
    int id;
    int x, y, width, height;
    bool visible;
};

constexpr Place kControls[] = {
    {IDC_SETTINGS_VIDEO_GROUP, 20, 40, 460, 90, true},
    {IDC_SETTINGS_AUDIO_GROUP, 20, 140, 460, 90, true},
    {IDC_SETTINGS_RESOLUTION, 110, 80, 120, 20, true},
    {IDC_SETTINGS_VIDEO_BITRATE, 340, 80, 120, 20, true},
    {IDC_SETTINGS_CHANNELS, 110, 180, 120, 20, true},
    {IDC_SETTINGS_AUDIO_BITRATE, 340, 180, 120, 20, true},
    {IDC_SETTINGS_UNUSED1, 110, 120, 120, 20, false},
    {IDC_SETTINGS_UNUSED2, 340, 120, 120, 20, false},
    {IDC_SETTINGS_UNUSED3, 110, 260, 120, 20, false},
    {IDC_SETTINGS_UNUSED4, 230, 180, 120, 20, false},
    {IDOK, 260, 250, 97, 30, true},
    {IDCANCEL, 370, 250, 97, 30, true},
    {IDC_SETTINGS_CLOSE, 470, 4, 21, 19, true},
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

BOOL CSettingsDlg::OnInitDialog() {
    SetUpFrame();
    PlaceControls();
    FillLists();
    return TRUE;
}

void CSettingsDlg::SetUpFrame() {
    const std::string folder = fw::ProgramFolder() + skinfiles::kDialogFolder;
    m_background.Reset(static_cast<HBITMAP>(::LoadImageA(nullptr, (folder + "settings_bk.bmp").c_str(),
                                                         IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    // Rounded top corners only.
    HRGN shape = ::CreateRoundRectRgn(0, 0, kWidth + 1, kHeight + 1, 10, 10);
    HRGN lower = ::CreateRectRgn(0, 100, kWidth + 1, kHeight + 1);
    ::CombineRgn(shape, shape, lower, RGN_OR);
    ::DeleteObject(lower);
    ::SetWindowRgn(m_hWnd, shape, TRUE);  // the system owns the region now
    LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (style & ~WS_CAPTION) | WS_MINIMIZEBOX);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_FRAMECHANGED);

    // Centred on the owner.
    RECT owner;
    if (!Owner() || !::GetWindowRect(Owner(), &owner)) ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &owner, 0);
    const int x = owner.left + (owner.right - owner.left - kWidth) / 2;
    const int y = owner.top + (owner.bottom - owner.top - kHeight) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CSettingsDlg::PlaceControls() {
    for (const Place& place : kControls)
        ::SetWindowPos(GetDlgItem(place.id), nullptr, place.x, place.y, place.width, place.height,
                       SWP_NOZORDER | SWP_NOACTIVATE | (place.visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    const std::string folder = fw::ProgramFolder() + skinfiles::kDialogFolder;
    m_ok.SubclassDlgItem(IDOK, m_hWnd);
    m_ok.LoadSkin(folder, "ok");
    m_cancel.SubclassDlgItem(IDCANCEL, m_hWnd);
    m_cancel.LoadSkin(folder, "cancel");
    m_close.SubclassDlgItem(IDC_SETTINGS_CLOSE, m_hWnd);
    m_close.LoadSkin(folder, "close");
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

BOOL CSettingsDlg::OnEraseBkgnd(HDC dc) {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    // Without its picture the dialog still works, on a plain face.
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    skinbmp::Copy(dc, 0, 0, m_background);
    ::SetBkMode(dc, TRANSPARENT);
    {
        fw::Font title(fw::MakeFont("Arial", 18, 800));
        fw::ScopedSelect font(dc, title);
        ::SetTextColor(dc, RGB(240, 240, 240));
        RECT line{10, 5, 500, 25};
        ::DrawTextA(dc, "Settings", -1, &line, DT_LEFT | DT_TOP);
    }
    fw::Font labels(fw::MakeFont("Arial", 16, 400));
    fw::ScopedSelect font(dc, labels);
    ::SetTextColor(dc, RGB(20, 20, 20));
    DrawLabel(dc, 40, 82, "Resolution:");
    DrawLabel(dc, 290, 82, "Bitrate:");
    DrawLabel(dc, 50, 182, "Channels:");
    DrawLabel(dc, 290, 182, "Bitrate:");
    return TRUE;
}

void CSettingsDlg::OnLButtonDown(UINT, POINT at) {
    Default();
    // A press anywhere on the body drags the dialog.
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}
