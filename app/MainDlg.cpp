#include "app/MainDlg.h"

#include <shellapi.h>

#include <cstring>

#include "app/AppTitle.h"
#include "app/Hotkeys.h"
#include "layout/MainWindowLayout.h"

namespace {

// The vendor's pages behind the home and help buttons.
constexpr const char* kProductsPage = "https://quorvanta.example/products";
constexpr const char* kSupportPage = "https://quorvanta.example/support";

namespace mainwnd = layout::mainwnd;

constexpr SkinFrameStyle kFrame = MainWindowLook(mainwnd::kWidth, mainwnd::kHeight, IDC_MINIMIZE, IDC_CLOSE);

}  // namespace

CMainDlg::CMainDlg() : CSkinDialog(IDD_MAIN, nullptr, kFrame) {
    m_appIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
}

CMainDlg::~CMainDlg() = default;

BOOL CMainDlg::OnInitDialog() {
    m_recorder.Session().State.StatusText.clear();
    BuildFolders();
    m_labelFont.Reset(fw::MakeFont("Arial", 15, 500));
    m_playerState = PlayState::NothingChosen;
    SetUpSkin();
    SetUpFormats();
    SetWindowText(kAppTitle);
    SetTitle(kAppTitle);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_appIcon));
    m_selectedIndex = -1;
    CreatePreviewSurface();
    SetUpAudioEngine();
    SetUpEngine();
    return TRUE;
}

std::string CMainDlg::OutputFieldText() const {
    char text[1024] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_OUTPUT_FOLDER, text, sizeof text);
    return text;
}

void CMainDlg::SetStatus(const std::string& text) {
    m_recorder.Session().State.StatusText = text;
    m_status.SetText(text);
}

BOOL CMainDlg::PreTranslateMessage(MSG* msg) {
    // Neither Enter nor Escape may close the window.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN))
        return TRUE;
    return fw::CDialog::PreTranslateMessage(msg);
}

void CMainDlg::OnPaint(HDC) {
    if (!::IsIconic(m_hWnd)) {
        SetMsgHandled(FALSE);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_appIcon);
    ::EndPaint(m_hWnd, &ps);
}

void CMainDlg::PaintBody(HDC dc) {
    fw::ScopedSelect font(dc, m_labelFont);
    ::SetTextColor(dc, RGB(30, 30, 30));
    for (const layout::Label& label : mainwnd::kLabels)
        ::TextOutA(dc, label.x, label.y, label.text, static_cast<int>(std::strlen(label.text)));
    // The status line is a control of its own over the background.
}

void CMainDlg::OnHome(UINT, int, HWND) {
    ::ShellExecuteA(nullptr, "open", kProductsPage, nullptr, nullptr, SW_SHOW);
}

void CMainDlg::OnHelp(UINT, int, HWND) {
    ::ShellExecuteA(nullptr, "open", kSupportPage, nullptr, nullptr, SW_SHOW);
}

void CMainDlg::ShutDown() {
    if (m_shutDown) return;
    m_shutDown = true;
    m_recorder.ShutDown();
    m_callWatcher.ShutDown();
    m_router.FindVirtualCaptureDevice(callenv::DeviceMatch::Equality);
    m_router.RestoreDefaultDevices();
    // The audio engine relays the call to the first real playback device;
    // the pause lets the restored defaults reach it before it quits, so that
    // the system's sound is never left without a route in between.
    ::Sleep(200);
    m_router.PostToAudioEngine(WM_QUIT, 0);
}

void CMainDlg::OnClose() {
    ShutDown();
    SetMsgHandled(FALSE);  // the default processing ends the dialog
}

void CMainDlg::OnQuitMessage() {
    // "Exit" of the floating stop window quits past WM_CLOSE.
    ShutDown();
}

void CMainDlg::OnDestroy() {
    for (int id = 0; id < hotkeys::kSlotCount; ++id) ::UnregisterHotKey(m_hWnd, id);
    m_recorder.Detach();
    SetMsgHandled(FALSE);
}
