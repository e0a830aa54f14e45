// Program entry for programs built on fw::CWinApp. Compiled into each
// executable (not into a library) so the linker always finds it.
#include "framework/App.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    fw::CWinApp* app = fw::AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = instance;
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
