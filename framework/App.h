// The application object: one per program, constructed statically. The
// framework's WinMain calls InitInstance; a program that runs its main window
// modally returns FALSE there and ends without a message loop of its own.
#pragma once

#include <windows.h>

namespace fw {

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const char* title);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    // Message loop for programs whose InitInstance returned TRUE.
    virtual int Run();
    virtual int ExitInstance() { return m_exitCode; }

    // Initialises the common controls (the classic three-dimensional look).
    static void Enable3dControls();

    HINSTANCE m_hInstance = nullptr;
    const char* m_pszAppName;
    CWnd* m_pMainWnd = nullptr;

protected:
    int m_exitCode = 0;
};

CWinApp* AfxGetApp();
HWND AfxGetMainWnd();

}  // namespace fw
