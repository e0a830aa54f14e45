#include "tests/win32/recording_harness.h"

#include <mmsystem.h>

#include "engine/ConfigFile.h"
#include "engine/Messages.h"
#include "engine/OutputPath.h"
#include "engine/RecordThread.h"
#include "tests/support/host_command.h"
#include "tests/support/process_helpers.h"
#include "tests/win32/colour_window.h"
#include "tests/support/ui_helpers.h"
#include "tools/mousetap/mousetap.h"

namespace {

UINT g_endMessage = 0;
RecordingHarness::MessageHandler g_extraHandler;

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT handled = 0;
    if (g_extraHandler && g_extraHandler(message, handled)) return handled;
    if (message == WM_USER_SAVECURSOR_MSG) {
        auto* state = reinterpret_cast<CRecordState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (state) state->SavedCursor = reinterpret_cast<NativeCursor>(wParam);
        return 0;
    }
    if (message == WM_USER_GENERIC_MSG || message == WM_USER_RECORDINTERRUPTED_MSG) {
        g_endMessage = message;
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

std::string UniqueTempFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "lumiskop-rec-" + std::to_string(::GetCurrentProcessId()) +
                         "-" + std::to_string(::GetTickCount());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

RecordingHarness::RecordingHarness(std::string folder) : m_folder(std::move(folder)) {
    const bool own = m_folder.empty();
    if (own) m_folder = UniqueTempFolder();
    m_config = config::FilePath();
    config::WriteOutputFolder(m_folder);
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "LumiskopTestMain";
    ::RegisterClassA(&wc);
    m_window = ::CreateWindowExA(0, wc.lpszClassName, "main", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
    ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_session.State));
    m_session.State.MainWindow = m_window;
    m_session.Params.ScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m_session.Params.ScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);
}

RecordingHarness::~RecordingHarness() {
    if (m_tap) {
        if (auto uninstall = reinterpret_cast<UninstallMyHookFn>(
                reinterpret_cast<void*>(::GetProcAddress(m_tap, "UninstallMyHook"))))
            uninstall(m_window);
    }
    ::DeleteFileA(m_config.c_str());
    g_extraHandler = nullptr;
    ::DestroyWindow(m_window);
    if (m_folder.find("lumiskop-rec-") != std::string::npos) {
        for (const std::string& f : FilesIn(m_folder, "*")) ::DeleteFileA((m_folder + "\\" + f).c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }
}

bool RecordingHarness::WatchCursor() {
    m_tap = ::LoadLibraryA((e2e::ProgramFolder() + "\\mousetap.dll").c_str());
    auto install = m_tap ? reinterpret_cast<InstallMyHookFn>(
                               reinterpret_cast<void*>(::GetProcAddress(m_tap, "InstallMyHook")))
                         : nullptr;
    return install && install(m_window, WM_USER_SAVECURSOR_MSG);
}

void RecordingHarness::HandleMessages(MessageHandler handler) {
    g_extraHandler = std::move(handler);
}

bool RecordingHarness::Record(const RECT& rect, const std::string& fileName, double seconds,
                              const std::function<void()>& during,
                              const std::function<void()>& beforeStop) {
    g_endMessage = 0;
    CRecordState& state = m_session.State;
    state.CaptureRect = {rect.left, rect.top, rect.right, rect.bottom};
    state.RecordFileName = fileName;
    state.VideoStarted = 0;
    state.Recording = 1;
    HANDLE worker = ::CreateThread(nullptr, 0, RecordThread, &m_session, CREATE_SUSPENDED, nullptr);
    ::ResumeThread(worker);
    const DWORD waitUntil = ::GetTickCount() + 20000;
    while (!state.VideoStarted && ::WaitForSingleObject(worker, 0) == WAIT_TIMEOUT &&
           static_cast<LONG>(waitUntil - ::GetTickCount()) > 0)
        ::Sleep(1);
    firstFrameAt = ::timeGetTime();
    videoStarted = state.VideoStarted != 0;
    const DWORD end = firstFrameAt + static_cast<DWORD>(seconds * 1000);
    while (videoStarted && static_cast<LONG>(end - ::timeGetTime()) > 0) {
        if (during) during();
        ui::PumpFor(10);
    }
    if (beforeStop) beforeStop();
    stoppedAt = ::timeGetTime();
    state.Recording = 0;
    const bool ended = ::WaitForSingleObject(worker, 20000) == WAIT_OBJECT_0;
    ::CloseHandle(worker);
    ui::PumpFor(50);
    endMessage = g_endMessage;
    return ended;
}
