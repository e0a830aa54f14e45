#include "app/RecorderApp.h"

#include "app/AppTitle.h"
#include "app/MainDlg.h"

CRecorderApp theApp;

CRecorderApp::CRecorderApp() : fw::CWinApp(kAppTitle) {}

BOOL CRecorderApp::InitInstance() {
    Enable3dControls();

    // The first instance owns the mutex until the process ends; a second one
    // ends at once, without a window or a message.
    ::CreateMutexA(nullptr, TRUE, kAppTitle);
    if (::GetLastError() == ERROR_ALREADY_EXISTS) return FALSE;

    CMainDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
