// ClipForge.exe: with no arguments the window over the recorder's output
// folder (one instance: a second start brings the first window forward);
// with --convert, one conversion without a window.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/ConfigFile.h"
#include "framework/App.h"
#include "tools/clipforge/AnsiText.h"
#include "tools/clipforge/ClipForgeDlg.h"
#include "tools/clipforge/CommandLine.h"
#include "tools/clipforge/ConvertCommand.h"

namespace {

constexpr const char* kInstanceMutex = "ClipForge Converter";

class CClipForgeApp : public fw::CWinApp {
public:
    CClipForgeApp() : fw::CWinApp(kClipForgeTitle) {}

    BOOL InitInstance() override {
        std::vector<std::string> args;
        for (int i = 1; i < __argc; ++i) args.push_back(clipforge::Utf8FromAnsi(__argv[i]));
        const clipforge::CommandLine command = clipforge::ParseCommandLine(args);
        if (command.convert || !command.error.empty()) {
            m_exitCode = clipforge::RunConvertCommand(command);
            return FALSE;
        }

        ::CreateMutexA(nullptr, TRUE, kInstanceMutex);  // held until the process ends
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            BringFirstWindowForward();
            return FALSE;
        }
        Enable3dControls();
        CClipForgeDlg dlg(config::ReadOutputFolder());
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }

private:
    static void BringFirstWindowForward() {
        // The first instance may still be making its window.
        for (int tries = 0; tries < 50; ++tries) {
            if (HWND first = ::FindWindowA("#32770", kClipForgeTitle)) {
                if (::IsIconic(first)) ::ShowWindow(first, SW_RESTORE);
                ::SetForegroundWindow(first);
                ::BringWindowToTop(first);
                return;
            }
            ::Sleep(100);
        }
    }
};

CClipForgeApp theApp;

}  // namespace
