#include "app/RecordingController.h"

#include <ctime>

#include "app/StatusText.h"
#include "callenv/AudioRouter.h"
#include "callenv/DeviceMatch.h"
#include "engine/CallCaptureRect.h"
#include "engine/OutputPath.h"
#include "engine/RecordThread.h"
#include "framework/App.h"
#include "recordings/ElapsedTime.h"
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

RecordingController::RecordingController(IRecordingHost& host, CAudioRouter& router)
    : m_host(host), m_router(router) {
    m_appIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
    m_blinkIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BLINK));
}

RecordingController::~RecordingController() {
    // The worker shares the session: it must be gone before the session is.
    // Detach() has given it do-nothing windows and no window to post to, so
    // it needs nothing of this thread to end.
    if (!m_worker) return;
    m_session.State.Recording = 0;
    ::WaitForSingleObject(m_worker, INFINITE);
}

void RecordingController::SetUp(HWND window, const std::string& appFolder) {
    m_window = window;
    CRecordParams& params = m_session.Params;
    params.ShowRegionFrame = 1;
    params.BitsPerPixel = 24;
    m_selector.Create();
    HDC screen = ::GetDC(nullptr);
    params.ScreenWidth = ::GetDeviceCaps(screen, HORZRES);
    params.ScreenHeight = ::GetDeviceCaps(screen, VERTRES);
    ::ReleaseDC(nullptr, screen);

    m_floatStop.Create(m_window);
    m_session.SetStopWindow(&m_floatStop);
    m_regionFrame.Create("Flashing", {0, 0, params.ScreenWidth - 1, params.ScreenHeight - 1});
    m_session.SetRegionFrame(&m_regionFrame);
    m_session.State.MainWindow = m_window;
    ClearRing(m_session.State.RingA);
    ClearRing(m_session.State.RingB);
    m_cursorWatcher.Reset(::LoadLibraryA((appFolder + "\\mousetap.dll").c_str()));
}

void RecordingController::ShutDown() {
    if (Recording()) Stop();
    WaitForWorker(5000);
    ::KillTimer(m_window, engine::kRecordingTimerId);
    m_inputs.Close();
}

void RecordingController::Detach() {
    m_session.SetRegionFrame(nullptr);
    m_session.SetStopWindow(nullptr);
    m_session.State.MainWindow = nullptr;
}

bool RecordingController::WorkerRunning() const {
    return m_worker && ::WaitForSingleObject(m_worker, 0) == WAIT_TIMEOUT;
}

void RecordingController::OnRecordCall(UINT, int, HWND) {
    if (Recording()) return;
    m_finder.FindAssistWindow();
    RecordCallWindow(m_finder.FindConversationWindow());
}

void RecordingController::RecordCallWindow(HWND conversation) {
    CRecordState& state = m_session.State;
    state.VideoStarted = 0;
    state.CustomRegion = 0;
    ::ShowWindow(m_window, SW_MINIMIZE);
    ::UpdateWindow(m_window);

    RECT window{};
    if (conversation) {
        BringToFront(conversation);
        ::GetWindowRect(conversation, &window);
        callenv::HandOffContact(m_finder.AssistWindow, m_finder.ContactAddress);
    }
    const ScreenRect rect = ChooseCallCaptureRect(
        conversation != nullptr, {window.left, window.top, window.right, window.bottom},
        m_session.Params);
    state.CaptureRect = rect;
    m_selector.SetRectangles(rect);
    m_host.BeginFollowing(conversation, window);
    ::PostMessageA(m_window, WM_USER_RECORDSTART_MSG, 0, 0);
    ArmRecording();
}

void RecordingController::OnRecordRegion(UINT, int, HWND) {
    if (Recording()) return;
    m_session.State.VideoStarted = 0;
    m_session.State.CustomRegion = 1;
    m_host.BeginFollowing(nullptr, {});
    m_selector.Show();
    ArmRecording();
}

void RecordingController::ArmRecording() {
    m_recordArmed = true;
    char stamp[30] = {};
    const std::time_t now = std::time(nullptr);
    std::strftime(stamp, sizeof stamp, engine::kFileNameTimeFormat, std::localtime(&now));
    const std::string fileName = std::string(stamp) + ".avi";
    // Where the worker will write: the configured folder when it exists,
    // else the program's folder (the worker reports any other name it takes).
    m_session.BeginRecording(fileName, OutputFolder() + "\\" + fileName);

    ::SetTimer(m_window, engine::kRecordingTimerId, engine::kRecordingTimerMs, nullptr);
    ::SetDlgItemTextA(m_window, IDC_ELAPSED, FormatElapsed(0).c_str());
    m_host.SetStatus("Recording");
    StartBlink();
    // The engine keeps the call audible on the speakers; it may have ended
    // since start-up. Started again before the inputs open, as at start-up.
    if (!m_router.AudioEngineRunning()) m_router.StartAudioEngine();
    if (!m_router.AudioEngineRunning())
        m_host.SetStatus(NoEngineStatus());
    else if (!SameFolder(OutputFolder(), m_host.OutputFieldText()))
        m_host.SetStatus(RedirectedStatus(true, OutputFolder()));
    m_inputs.Open(m_window, m_router.FindVirtualCaptureDevice(callenv::DeviceMatch::Substring));
}

void RecordingController::DisarmRecording() {
    m_recordArmed = false;
    ::KillTimer(m_window, engine::kRecordingTimerId);
    StopBlink();
    m_inputs.Close();
    m_host.SetStatus(m_host.IdleStatus());
}

LRESULT RecordingController::OnRegionSelectEnded(UINT, WPARAM, LPARAM, BOOL&) {
    // Nothing to record after all: give the window back as it was.
    if (!Recording()) {
        DisarmRecording();
        ::ShowWindow(m_window, SW_RESTORE);
    }
    return 0;
}

bool RecordingController::WaitForWorker(DWORD timeoutMs) {
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

LRESULT RecordingController::OnRecordStart(UINT, WPARAM, LPARAM, BOOL&) {
    m_recordArmed = false;
    if (Recording()) return 0;
    // A worker still closing the last file would see Recording turn 1 again.
    if (!WaitForWorker(5000)) return 0;
    // A move of the last recording's area that its worker never took would
    // shift this one's start.
    m_session.State.DropPendingRect();
    if (m_session.Params.MinimizeOnRecord == 1)
        ::PostMessageA(fw::AfxGetMainWnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (auto install = m_cursorWatcher ? reinterpret_cast<InstallMyHookFn>(reinterpret_cast<void*>(
                                             ::GetProcAddress(m_cursorWatcher, "InstallMyHook")))
                                       : nullptr)
        install(m_window, WM_USER_SAVECURSOR_MSG);
    m_session.State.Recording = 1;
    m_worker.Reset(::CreateThread(nullptr, 0, RecordThread, &m_session, CREATE_SUSPENDED, nullptr));
    if (m_worker) {
        ::SetThreadPriority(m_worker, THREAD_PRIORITY_NORMAL);
        ::ResumeThread(m_worker);
    } else {
        OnRecordInterrupted(0, 0);
    }
    m_session.Hotkeys.ConvertArmed = 1;
    return 0;
}

void RecordingController::EndRecordingSide() {
    ::KillTimer(m_window, engine::kRecordingTimerId);
    StopBlink();
    m_floatStop.ShowWindow(SW_HIDE);
}

void RecordingController::Stop() {
    if (!Recording()) return;
    EndRecordingSide();
    // The inputs give up what they recorded so far before the worker is told
    // to end, so that the sound lasts as long as the pictures.
    m_inputs.StopAndCollect();
    if (Recording()) OnRecordInterrupted(0, 0);
    m_inputs.Close();

    char elapsed[32] = {};
    ::GetDlgItemTextA(m_window, IDC_ELAPSED, elapsed, sizeof elapsed);
    const CRecordState& state = m_session.State;
    std::string path = state.WrittenPath();
    if (path.empty()) path = state.RecordPath;
    m_host.AddRecording(path, FileNameOf(path), elapsed);
    const std::string folder = FolderOf(path);
    m_host.SetStatus(SameFolder(folder, m_host.OutputFieldText()) ? m_host.IdleStatus()
                                                                  : RedirectedStatus(false, folder));
}

LRESULT RecordingController::OnRecordInterrupted(WPARAM, LPARAM) {
    if (auto uninstall = m_cursorWatcher
                             ? reinterpret_cast<UninstallMyHookFn>(reinterpret_cast<void*>(
                                   ::GetProcAddress(m_cursorWatcher, "UninstallMyHook")))
                             : nullptr)
        uninstall(m_window);
    m_session.State.Recording = 0;
    ::InvalidateRect(m_window, nullptr, TRUE);
    HWND main = fw::AfxGetMainWnd() ? fw::AfxGetMainWnd() : m_window;
    ::SetForegroundWindow(main);
    ::ShowWindow(main, SW_RESTORE);
    return 0;
}

LRESULT RecordingController::OnRecordInterruptedMessage(UINT, WPARAM wp, LPARAM lp, BOOL&) {
    const bool failedWhileRecording = Recording();
    OnRecordInterrupted(wp, lp);
    if (failedWhileRecording) {
        // The worker gave up: the window must show that the recording ended.
        EndRecordingSide();
        m_inputs.Close();
    }
    // The worker's file failed, while recording or while closing after a
    // stop: the row tells how long the file plays, the status line why it
    // ended there. The words stay until the next recording starts.
    const RecordOutcome outcome = m_session.State.Outcome();
    if (outcome.failure == RecordFailure::None) return 0;
    const std::string path = m_session.State.WrittenPath();
    const std::string duration = FormatElapsed(outcome.fileSeconds);
    if (path.empty() || !m_host.CorrectListedLength(path, duration)) {
        WIN32_FILE_ATTRIBUTE_DATA file{};
        if (!path.empty() && ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file) &&
            (file.nFileSizeLow || file.nFileSizeHigh))
            m_host.AddRecording(path, FileNameOf(path), duration);
    }
    m_host.SetStatus(StoppedStatus(outcome.failure, path.empty() ? OutputFolder() : FolderOf(path)));
    return 0;
}

LRESULT RecordingController::OnSaveCursor(UINT, WPARAM wp, LPARAM, BOOL&) {
    m_session.State.SavedCursor = reinterpret_cast<NativeCursor>(wp);
    return 0;
}

void RecordingController::OnTimer(UINT_PTR id) {
    switch (id) {
    case engine::kRecordingTimerId:
        ++m_session.State.ElapsedSeconds;
        ::SetDlgItemTextA(m_window, IDC_ELAPSED,
                          FormatElapsed(m_session.State.ElapsedSeconds).c_str());
        break;
    case engine::kIconTimerId:
        SetIcon(m_blinkPhase % 2 == 0 ? m_appIcon : m_blinkIcon);
        m_blinkPhase = m_blinkPhase % 2 == 0 ? 1 : 0;
        break;
    default:
        SetMsgHandled(FALSE);
        break;
    }
}

void RecordingController::StartBlink() {
    ::SetTimer(m_window, engine::kIconTimerId, engine::kIconTimerMs, nullptr);
}

void RecordingController::StopBlink() {
    ::KillTimer(m_window, engine::kIconTimerId);
    SetIcon(m_appIcon);
}

void RecordingController::SetIcon(HICON icon) const {
    ::SendMessageA(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

bool RecordingController::FrameShown() const {
    return ::IsWindowVisible(m_regionFrame.m_hWnd) != FALSE;
}

void RecordingController::MoveAreaTo(int32_t left, int32_t top) {
    const ScreenRect moved = m_regionFrame.MoveOriginTo(left, top);
    if (::IsWindowVisible(m_floatStop.m_hWnd)) m_floatStop.ShowBeside(moved);
}
