// The main window's start-up: folders, the audio engine, the settings file,
// the recording controller, hotkeys, the call watch and the first timer.
#include <direct.h>
#include <shlobj.h>

#include <cstdio>
#include <ctime>

#include "app/Hotkeys.h"
#include "app/MainDlg.h"
#include "callenv/CallEnvNames.h"
#include "engine/ConfigFile.h"
#include "framework/ProgramFolder.h"

namespace {
constexpr UINT kStartupTimerMs = 900;
}  // namespace

void CMainDlg::BuildFolders() {
    m_appFolder = fw::ProgramFolder();
    m_skinFolder = m_appFolder + "\\skin\\";
}

void CMainDlg::SetUpAudioEngine() {
    m_router.AppFolder = m_appFolder;
    m_router.OwnerWindow = m_hWnd;
    m_router.TerminateProcessByName(callenv::kAudioEngineExe);
    // Termination is asynchronous: the ended engine still holds its mutex for
    // a moment, and the new engine's start is confirmed by that very mutex.
    // The pause (on this thread, before the window shows) lets it go first.
    ::Sleep(1000);
    m_router.AudioEngineName = callenv::kAudioEngineName;
    m_router.StartAudioEngine();
}

void CMainDlg::SetUpEngine() {
    // The output folder from config.ini, made if it is missing (one level).
    const std::string folder = config::ReadOutputFolder();
    _mkdir(folder.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_OUTPUT_FOLDER, folder.c_str());

    char appData[MAX_PATH] = {};
    ::SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
    char formatted[MAX_PATH + 32];
    std::snprintf(formatted, sizeof formatted, "%s\\Quorvanta\\", appData);
    _mkdir(formatted);
    std::snprintf(formatted, sizeof formatted, "%s\\Quorvanta\\cache\\", appData);
    _mkdir(formatted);
    m_appDataFolder = formatted;

    m_recorder.SetUp(m_hWnd, m_appFolder);
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    SetDefaultHotkeys(g_hotkeys);
    RegisterHotkeys();

    m_router.IsVistaOrLater = false;
    m_router.DetectWindowsVersion();
    m_router.RememberDeviceNames();
    m_callWatcher.SetUp(m_hWnd);
    ::SetTimer(m_hWnd, kStartupTimerId, kStartupTimerMs, nullptr);
}
