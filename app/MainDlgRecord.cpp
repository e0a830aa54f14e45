// The recording controller: the two start commands, the start message, the
// stop command and the end of a recording.
#include <algorithm>
#include <ctime>

#include "recordings/ElapsedTime.h"
#include "app/MainDlg.h"
#include "app/StatusText.h"
#include "callenv/DeviceMatch.h"
#include "engine/CallCaptureRect.h"
#include "engine/HotkeyLinks.h"
#include "engine/OutputPath.h"
#include "engine/RecordParams.h"
#include "engine/RecordState.h"
#include "engine/RecordThread.h"
#include "framework/App.h"
#include "region/RegionSelector.h"
#include "tools/mousetap/mousetap.h"

namespace {

using SwitchToThisWindowFn = void(WINAPI*)(HWND, BOOL);

void BringToFront(HWND window) {
    if (auto switchTo = reinterpret_cast<SwitchToThisWindowFn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("user32"), "SwitchToThisWindow"))))
        switchTo(window, FALSE);
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::SetForegroundWindow(window);
    ::UpdateWindow(window);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void CMainDlg::LoadCursorWatcher() {
    m_cursorWatcher.Reset(::LoadLibraryA((m_appFolder + "\\mousetap.dll").c_str()));
}

void CMainDlg::OnRecordCall(UINT, int, HWND) {
    if (g_recordState.Recording.load()) return;
    m_finder.FindAssistWindow();
    RecordCallWindow(m_finder.FindConversationWindow());
}

void CMainDlg::RecordCallWindow(HWND conversation) {
    g_recordState.VideoStarted = 0;
    g_recordState.CustomRegion = 0;
    ShowWindow(SW_MINIMIZE);
    ::UpdateWindow(m_hWnd);

    RECT window{};
    if (conversation) {
        BringToFront(conversation);
        ::GetWindowRect(conversation, &window);
        callenv::HandOffContact(callenv::AssistWindow, callenv::ContactAddress);
    }
    const ScreenRect rect = ChooseCallCaptureRect(
        conversation != nullptr, {window.left, window.top, window.right, window.bottom},
        g_recordParams);
    g_recordState.CaptureRect = rect;
    if (CRegionSelector* selector = RegionSelector()) selector->SetRectangles(rect);
    BeginFollowing(conversation, window);
    PostMessage(WM_USER_RECORDSTART_MSG);
    ArmRecording();
}

void CMainDlg::OnRecordRegion(UINT, int, HWND) {
    if (g_recordState.Recording.load()) return;
    g_recordState.VideoStarted = 0;
    g_recordState.CustomRegion = 1;
    BeginFollowing(nullptr, {});
    ShowRegionSelector();
    ArmRecording();
}

void CMainDlg::ArmRecording() {
    m_recordArmed = true;
    char stamp[30] = {};
    const std::time_t now = std::time(nullptr);
    std::strftime(stamp, sizeof stamp, engine::kFileNameTimeFormat, std::localtime(&now));
    g_recordState.RecordFileName = std::string(stamp) + ".avi";
    // Where the worker will write: the configured folder when it exists,
    // else the program's folder (the worker reports any other name it takes).
    g_recordState.RecordPath = OutputFolder() + "\\" + g_recordState.RecordFileName;
    g_recordState.SetWrittenPath({});
    g_recordState.SetOutcome({});

    ::SetTimer(m_hWnd, engine::kRecordingTimerId, engine::kRecordingTimerMs, nullptr);
    g_recordState.ElapsedSeconds = 0;
    ::SetDlgItemTextA(m_hWnd, IDC_ELAPSED, FormatElapsed(0).c_str());
    SetStatus("Recording");
    StartBlink();
    // The engine keeps the call audible on the speakers; it may have ended
    // since start-up. Started again before the inputs open, as at start-up.
    if (!m_router.AudioEngineRunning()) m_router.StartAudioEngine();
    if (!m_router.AudioEngineRunning())
        SetStatus(NoEngineStatus());
    else if (!SameFolder(OutputFolder(), OutputFieldText()))
        SetStatus(RedirectedStatus(true, OutputFolder()));
    m_inputs.Open(m_hWnd, m_router.FindVirtualCaptureDevice(callenv::DeviceMatch::Substring));
}

void CMainDlg::DisarmRecording() {
    m_recordArmed = false;
    ::KillTimer(m_hWnd, engine::kRecordingTimerId);
    StopBlink();
    m_inputs.Close();
    SetStatus(IdleStatus());
}

LRESULT CMainDlg::OnRegionSelectEnded(UINT, WPARAM, LPARAM, BOOL&) {
    // Nothing to record after all: give the window back as it was.
    if (!g_recordState.Recording.load()) {
        DisarmRecording();
        ShowWindow(SW_RESTORE);
    }
    return 0;
}

bool CMainDlg::WaitForWorker(DWORD timeoutMs) {
    if (!m_worker) return true;
    // The worker's windows (frame, stop window) talk to this thread, so it
    // keeps dispatching while it waits.
    const DWORD start = ::GetTickCount();
    while (::WaitForSingleObject(m_worker, 0) == WAIT_TIMEOUT) {
        const DWORD waited = ::GetTickCount() - start;
        if (waited >= timeoutMs) return false;
        HANDLE worker = m_worker;
        ::MsgWaitForMultipleObjects(1, &worker, FALSE, timeoutMs - waited, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    m_worker.Reset();
    return true;
}

LRESULT CMainDlg::OnRecordStart(UINT, WPARAM, LPARAM, BOOL&) {
    m_recordArmed = false;
    if (g_recordState.Recording.load()) return 0;
    // A worker still closing the last file would see Recording turn 1 again.
    if (!WaitForWorker(5000)) return 0;
    // A move of the last recording's area that its worker never took would
    // shift this one's start.
    int32_t staleLeft = 0, staleTop = 0;
    g_recordState.TakeRect(staleLeft, staleTop);
    if (g_recordParams.MinimizeOnRecord == 1)
        ::PostMessageA(fw::AfxGetMainWnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (auto install = m_cursorWatcher ? reinterpret_cast<InstallMyHookFn>(reinterpret_cast<void*>(
                                             ::GetProcAddress(m_cursorWatcher, "InstallMyHook")))
                                       : nullptr)
        install(m_hWnd, WM_USER_SAVECURSOR_MSG);
    g_recordState.Recording = 1;
    m_worker.Reset(::CreateThread(nullptr, 0, RecordThread, &g_recordState, CREATE_SUSPENDED, nullptr));
    if (m_worker) {
        ::SetThreadPriority(m_worker, THREAD_PRIORITY_NORMAL);
        ::ResumeThread(m_worker);
    } else {
        OnRecordInterrupted(0, 0);
    }
    ConvertArmed = 1;
    return 0;
}

void CMainDlg::OnRecordStopCommand(UINT, int, HWND) {
    OnRecordStop();
}

void CMainDlg::EndRecordingSide() {
    ::KillTimer(m_hWnd, engine::kRecordingTimerId);
    StopBlink();
    m_floatStop.ShowWindow(SW_HIDE);
}

void CMainDlg::OnRecordStop() {
    if (!g_recordState.Recording.load()) return;
    EndRecordingSide();
    // The inputs give up what they recorded so far before the worker is told
    // to end, so that the sound lasts as long as the pictures.
    m_inputs.StopAndCollect();
    if (g_recordState.Recording.load()) OnRecordInterrupted(0, 0);
    m_inputs.Close();

    char elapsed[32] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_ELAPSED, elapsed, sizeof elapsed);
    std::string path = g_recordState.WrittenPath();
    if (path.empty()) path = g_recordState.RecordPath;
    AddRecording(path, FileNameOf(path), elapsed);
    const std::string folder = FolderOf(path);
    SetStatus(SameFolder(folder, OutputFieldText()) ? IdleStatus() : RedirectedStatus(false, folder));
}

LRESULT CMainDlg::OnRecordInterrupted(WPARAM, LPARAM) {
    if (auto uninstall = m_cursorWatcher
                             ? reinterpret_cast<UninstallMyHookFn>(reinterpret_cast<void*>(
                                   ::GetProcAddress(m_cursorWatcher, "UninstallMyHook")))
                             : nullptr)
        uninstall(m_hWnd);
    g_recordState.Recording = 0;
    Invalidate(TRUE);
    HWND main = fw::AfxGetMainWnd() ? fw::AfxGetMainWnd() : m_hWnd;
    ::SetForegroundWindow(main);
    ::ShowWindow(main, SW_RESTORE);
    return 0;
}

LRESULT CMainDlg::OnRecordInterruptedMessage(UINT, WPARAM wp, LPARAM lp, BOOL&) {
    const bool failedWhileRecording = g_recordState.Recording.load() != 0;
    OnRecordInterrupted(wp, lp);
    if (failedWhileRecording) {
        // The worker gave up: the window must show that the recording ended.
        EndRecordingSide();
        m_inputs.Close();
    }
    // The worker's file failed, while recording or while closing after a
    // stop: the row tells how long the file plays, the status line why it
    // ended there. The words stay until the next recording starts.
    const RecordOutcome outcome = g_recordState.Outcome();
    if (outcome.failure == RecordFailure::None) return 0;
    const std::string path = g_recordState.WrittenPath();
    const std::string duration = FormatElapsed(outcome.fileSeconds);
    auto row = std::find_if(m_clips.rbegin(), m_clips.rend(), [&](const ClipRecord& clip) {
        return !path.empty() && clip.path == path;
    });
    if (row != m_clips.rend()) {
        row->durationText = duration;
        RefreshList();
    } else {
        WIN32_FILE_ATTRIBUTE_DATA file{};
        if (!path.empty() && ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file) &&
            (file.nFileSizeLow || file.nFileSizeHigh))
            AddRecording(path, FileNameOf(path), duration);
    }
    SetStatus(StoppedStatus(outcome.failure, path.empty() ? OutputFolder() : FolderOf(path)));
    return 0;
}

LRESULT CMainDlg::OnSaveCursor(UINT, WPARAM wp, LPARAM, BOOL&) {
    g_recordState.SavedCursor = reinterpret_cast<NativeCursor>(wp);
    return 0;
}
