// The main window's skin: its shape, where every control goes and which
// pictures it shows (layout/MainWindowLayout.h), and its companions.
#include <direct.h>

#include "app/MainDlg.h"
#include "engine/ConfigFile.h"
#include "engine/RecordWindows.h"
#include "layout/MainWindowLayout.h"

namespace mainwnd = layout::mainwnd;

void CMainDlg::SetUpSkin() {
    LoadBackground(m_skinFolder + "back_ui.bmp");
    ApplyShape();
    PlaceControls();
    ::MoveWindow(m_hWnd, 0, 0, mainwnd::kWidth, mainwnd::kHeight, TRUE);

    const std::string output = OutputFieldText();
    _mkdir(output.c_str());
    m_snapshotFolder = output + "\\Snapshot";
    _mkdir(m_snapshotFolder.c_str());

    PlaceControl(IDC_ELAPSED, mainwnd::kElapsed);
    ::SetDlgItemTextA(m_hWnd, IDC_ELAPSED, "00:00:00");

    m_status.SubclassDlgItem(IDC_STATUS, m_hWnd);
    m_status.SetLook(Background(), m_labelFont.Get());
    PlaceControl(IDC_STATUS, mainwnd::kStatus);
}

void CMainDlg::PlaceControls() {
    PlaceButtons(mainwnd::kButtons, m_skinFolder);
    for (const layout::ControlPlace& place : mainwnd::kHiddenSelectors)
        PlaceControl(place.id, place.box, place.shown);

    ::SetDlgItemTextA(m_hWnd, IDC_OUTPUT_FOLDER, config::kDefaultOutputFolder);
    PlaceControl(IDC_OUTPUT_FOLDER, mainwnd::kOutputFolder);

    m_list.SubclassDlgItem(IDC_OUTPUT_LIST, m_hWnd);
    m_list.SetBackgroundImage((m_skinFolder + "list_back.bmp").c_str(), FALSE);
    m_list.SetUp();
    PlaceControl(IDC_OUTPUT_LIST, mainwnd::kList);

    HWND fit = GetDlgItem(IDC_PICTURE_FIT);
    for (const char* entry : {"Letterbox", "Pan and Scan", "Full Screen"})
        ::SendMessageA(fit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    ::SendMessageA(fit, CB_SETCURSEL, 0, 0);
}
