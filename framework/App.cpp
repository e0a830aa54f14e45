#include "framework/App.h"

#include <commctrl.h>

#include "framework/Wnd.h"

namespace fw {
namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(const char* title) : m_pszAppName(title) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        HWND top = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
        if (!WalkPreTranslateTree(top, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    m_exitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

void CWinApp::Enable3dControls() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
}

CWinApp* AfxGetApp() {
    return g_app;
}

HWND AfxGetMainWnd() {
    return g_app && g_app->m_pMainWnd ? g_app->m_pMainWnd->m_hWnd : nullptr;
}

}  // namespace fw
