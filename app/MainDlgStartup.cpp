// The main window's start-up: folders, the audio engine, the settings file,
// the engine's globals and windows, hotkeys and the first timer.
#include <direct.h>
#include <shlobj.h>

#include <cstdio>
#include <ctime>

#include "app/Hotkeys.h"
#include "app/MainDlg.h"
#include "callenv/CallEnvNames.h"
#include "engine/ConfigFile.h"
#include "engine/HotkeyLinks.h"
#include "engine/RecordParams.h"
#include "engine/RecordState.h"
#include "engine/RecordWindows.h"
#include "framework/ProgramFolder.h"
#include "region/RegionSelector.h"

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

    g_recordParams.ShowRegionFrame = 1;
    g_recordParams.BitsPerPixel = 24;
    CreateRegionSelector();
    g_recordParams.BitsPerPixel = 24;
    HDC screen = ::GetDC(nullptr);
    g_recordParams.ScreenWidth = ::GetDeviceCaps(screen, HORZRES);
    g_recordParams.ScreenHeight = ::GetDeviceCaps(screen, VERTRES);
    ::ReleaseDC(nullptr, screen);

    m_regionFrame.Create("Flashing", {0, 0, g_recordParams.ScreenWidth - 1,
                                      g_recordParams.ScreenHeight - 1});
    SetRegionFrame(&m_regionFrame);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    g_recordState.MainWindow = m_hWnd;

    SetDefaultHotkeys(g_hotkeys);
    RegisterHotkeys();

    ClearRing(g_recordState.RingA);
    ClearRing(g_recordState.RingB);

    m_router.IsVistaOrLater = false;
    m_router.DetectWindowsVersion();
    m_router.RememberDeviceNames();
    LoadCursorWatcher();
    SetUpCallWatch();
    ::SetTimer(m_hWnd, kStartupTimerId, kStartupTimerMs, nullptr);
}
