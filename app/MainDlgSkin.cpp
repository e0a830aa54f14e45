// The main window's skin: its shape, where every control goes and which
// pictures it shows, and its companions.
#include <direct.h>

#include "app/MainDlg.h"
#include "controls/SkinWindow.h"
#include "engine/ConfigFile.h"
#include "engine/RecordWindows.h"

namespace {

struct ButtonPlace {
    int id;
    const char* skin;
    int x, y, width, height;
    bool visible;
};

constexpr ButtonPlace kButtons[] = {
    {IDC_RECORD_CALL, "record_fixed", 10, 32, 54, 47, true},
    {IDC_RECORD_REGION, "record_custom", 70, 32, 54, 47, true},
    {IDC_RECORD_STOP, "record_stop", 130, 32, 54, 47, true},
    {IDC_CONVERTER, "converter", 190, 32, 54, 47, true},
    {IDC_HOME, "home", 390, 32, 54, 47, true},
    {IDC_MINIMIZE, "mini", 458, 4, 20, 20, true},
    {IDC_CLOSE, "close", 480, 4, 20, 20, true},
    {IDC_HELP_BUTTON, "help", 704, 7, 22, 15, true},  // outside the window's shape
    {IDC_OPEN_FOLDER, "open_folder", 300, 530, 92, 20, true},
    {IDC_CHANGE_FOLDER, "change_folder", 400, 530, 92, 20, true},
    {IDC_RECORD_PREVIEW, "record", 11, 62, 76, 66, false},
    {IDC_SETTINGS, "record_stop", 98, 62, 76, 66, false},
    {IDC_CROP, "crop", 216, 62, 76, 66, false},
    {IDC_EFFECT, "effect", 308, 62, 76, 66, false},
    {IDC_TRIM, "trim", 400, 62, 76, 66, false},
    {IDC_REMOVE, "remove", 24, 408, 97, 30, false},
    {IDC_CLEAR_ALL, "clear_all", 125, 408, 97, 30, false},
    {IDC_SNAPSHOT, "pre_snap", 709, 407, 32, 32, false},
    {IDC_OPEN_SNAPSHOTS, "pre_open", 742, 407, 32, 32, false},
    {IDC_PREVIEW_AREA, nullptr, 534, 145, 280, 210, false},  // "screen.bmp" in all states
};
static_assert(sizeof kButtons / sizeof kButtons[0] <= 20);

struct Place {
    int id;
    int x, y, width, height;
};

constexpr Place kHiddenSelectors[] = {
    {IDC_FORMAT, 90, 470, 400, 20},
    {IDC_RESOLUTION, 605, 325, 145, 20},
    {IDC_PICTURE_FIT, 605, 350, 145, 20},
    {IDC_VIDEO_BITRATE, 605, 375, 145, 20},
    {IDC_AUDIO_BITRATE, 605, 400, 145, 20},
};

void PlaceItem(HWND dialog, int id, int x, int y, int width, int height, bool visible) {
    ::SetWindowPos(::GetDlgItem(dialog, id), nullptr, x, y, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

}  // namespace

void CMainDlg::SetUpSkin() {
    skinwindow::ApplyShape(m_hWnd, 510, 620);

    PlaceControls();
    ::MoveWindow(m_hWnd, 0, 0, 510, 620, TRUE);

    const std::string output = OutputFieldText();
    _mkdir(output.c_str());
    m_snapshotFolder = output + "\\Snapshot";
    _mkdir(m_snapshotFolder.c_str());

    PlaceItem(m_hWnd, IDC_ELAPSED, 60, 560, 92, 20, true);
    ::SetDlgItemTextA(m_hWnd, IDC_ELAPSED, "00:00:00");

    m_status.SubclassDlgItem(IDC_STATUS, m_hWnd);
    m_status.SetLook(m_background.Get(), m_labelFont.Get());
    PlaceItem(m_hWnd, IDC_STATUS, m_statusRect.left, m_statusRect.top,
              m_statusRect.right - m_statusRect.left, m_statusRect.bottom - m_statusRect.top, true);
}

void CMainDlg::PlaceControls() {
    int index = 0;
    for (const ButtonPlace& place : kButtons) {
        CHoverButton& button = m_buttons[index++];
        button.SubclassDlgItem(place.id, m_hWnd);
        if (place.skin) {
            button.LoadSkin(m_skinFolder, place.skin);
        } else {
            const std::string screen = m_skinFolder + "screen.bmp";
            button.LoadBitmapFiles(screen.c_str(), screen.c_str(), screen.c_str());
        }
        PlaceItem(m_hWnd, place.id, place.x, place.y, place.width, place.height, place.visible);
    }
    for (const Place& place : kHiddenSelectors)
        PlaceItem(m_hWnd, place.id, place.x, place.y, place.width, place.height, false);

    ::SetDlgItemTextA(m_hWnd, IDC_OUTPUT_FOLDER, config::kDefaultOutputFolder);
    PlaceItem(m_hWnd, IDC_OUTPUT_FOLDER, 60, 530, 230, 20, true);

    m_list.SubclassDlgItem(IDC_OUTPUT_LIST, m_hWnd);
    m_list.SetBackgroundImage((m_skinFolder + "list_back.bmp").c_str(), FALSE);
    m_list.SetUp();
    PlaceItem(m_hWnd, IDC_OUTPUT_LIST, 15, 100, 480, 360, true);

    HWND fit = GetDlgItem(IDC_PICTURE_FIT);
    for (const char* entry : {"Letterbox", "Pan and Scan", "Full Screen"})
        ::SendMessageA(fit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    ::SendMessageA(fit, CB_SETCURSEL, 0, 0);
}
