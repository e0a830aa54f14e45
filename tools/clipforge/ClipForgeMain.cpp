// ClipForge.exe: with no arguments the window over the recorder's output
// folder (one instance: a second start brings the first window forward);
// with --window-convert, the window over a recording's folder converting it
// (a second start hands the recording to the first window); with --convert,
// one conversion without a window.
#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/ConfigFile.h"
#include "framework/App.h"
#include "tools/clipforge/ClipForgeDlg.h"
#include "tools/clipforge/CommandLine.h"
#include "tools/clipforge/ConsoleText.h"
#include "tools/clipforge/ConvertCommand.h"
#include "tools/clipforge/Utf8Text.h"

namespace {

constexpr const char* kInstanceMutex = "ClipForge Converter";

// The arguments as UTF-8, read from the UTF-16 command line: the ANSI one
// turns every name outside the code page into question marks.
std::vector<std::string> ProgramArguments() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> args(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    std::vector<std::string> utf8;
    for (int i = 1; args && i < count; ++i) utf8.push_back(clipforge::Utf8FromWide(args.get()[i]));
    return utf8;
}

class CClipForgeApp : public fw::CWinApp {
public:
    CClipForgeApp() : fw::CWinApp(kClipForgeTitle) {}

    BOOL InitInstance() override {
        const clipforge::CommandLine command = clipforge::ParseCommandLine(ProgramArguments());
        if (command.convert || !command.error.empty()) {
            m_exitCode = clipforge::RunConvertCommand(command, clipforge::WriteToConsole, config::ReadConvertChoice());
            return FALSE;
        }

        ::CreateMutexA(nullptr, TRUE, kInstanceMutex);  // held until the process ends
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            BringFirstWindowForward(command.windowConvert);
            return FALSE;
        }
        Enable3dControls();
        const std::string& recording = command.windowConvert;
        const size_t slash = recording.find_last_of("\\/");
        const std::string folder = recording.empty() || slash == std::string::npos
                                       ? clipforge::Utf8FromAnsi(config::ReadOutputFolder())
                                       : recording.substr(0, slash);
        CClipForgeDlg dlg(folder, recording);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }

private:
    // `recording` (UTF-8; none when empty) goes to the first window to convert.
    static void BringFirstWindowForward(const std::string& recording) {
        // The first instance may still be making its window.
        for (int tries = 0; tries < 50; ++tries) {
            if (HWND first = ::FindWindowA("#32770", kClipForgeTitle)) {
                if (!recording.empty()) {
                    COPYDATASTRUCT data{CClipForgeDlg::kConvertOneTag, DWORD(recording.size()),
                                        const_cast<char*>(recording.data())};
                    ::SendMessageA(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
                }
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
