// Calls recorded without a click, and the recorded area that follows the call
// window. Both are checked on the call-watch timer. The far end's
// level comes from the audio engine, which hears the virtual device anyway
// (a wave input of the program's own costs a few per cent of a core under
// Wine), or from the program's own listener while the engine does not report;
// each report feeds the decisions and checks at once for a start. A check
// takes a few window-system calls; the window search runs only while the far
// end is heard.
#include "app/CallWatcher.h"

#include <mmsystem.h>

#include "app/RecordingController.h"
#include "app/StatusText.h"
#include "callenv/AudioRouter.h"
#include "callenv/CallEnvNames.h"
#include "callenv/DeviceMatch.h"
#include "engine/ConfigFile.h"

namespace {

constexpr UINT kCallWatchMs = 200;
// The engine is asked again after this long without a report, and the
// program listens itself after this long.
constexpr DWORD kEngineQuietMs = 1000;
constexpr DWORD kOwnListenerAfterMs = 3000;
constexpr const char* kAutoRecordItem = "Record calls automatically";

uintptr_t WindowId(HWND window) {
    return reinterpret_cast<uintptr_t>(window);
}

// A window stands while it exists and shows; a hidden conversation is over.
class CLiveWindows final : public autorec::IWindowPresence {
public:
    bool Stands(uintptr_t window) const override {
        HWND hwnd = reinterpret_cast<HWND>(window);
        return ::IsWindow(hwnd) && ::IsWindowVisible(hwnd);
    }
};

}  // namespace

CallWatcher::CallWatcher(ICallWatchHost& host, RecordingController& recorder, CAudioRouter& router)
    : m_host(host), m_recorder(recorder), m_router(router) {}

void CallWatcher::SetUp(HWND window) {
    m_window = window;
    if (HMENU menu = ::GetSystemMenu(m_window, FALSE)) {
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(menu, MF_STRING, ID_AUTO_RECORD, kAutoRecordItem);
    }
    ApplyAutoRecord(config::ReadAutoRecordSettings());
}

void CallWatcher::ShutDown() {
    ::KillTimer(m_window, kTimerId);
    m_listener.Close();
}

void CallWatcher::ToggleAutoRecord() {
    // The other keys are read again: edits made since start-up apply now.
    autorec::AutoRecordSettings settings = config::ReadAutoRecordSettings();
    settings.enabled = !AutoRecordOn();
    const bool kept = config::WriteAutoRecordEnabled(settings.enabled);
    ApplyAutoRecord(settings);
    // It holds until the program ends.
    if (!kept) m_host.SetStatus(UnsavedSettingStatus(kAutoRecordItem, config::FilePath()));
}

void CallWatcher::ApplyAutoRecord(const autorec::AutoRecordSettings& settings) {
    const bool wasOn = AutoRecordOn();
    m_settings = settings;
    if (HMENU menu = ::GetSystemMenu(m_window, FALSE))
        ::CheckMenuItem(menu, ID_AUTO_RECORD,
                        MF_BYCOMMAND | (settings.enabled ? MF_CHECKED : MF_UNCHECKED));
    if (settings.enabled) {
        m_decisions.Configure(settings.contacts, settings.silenceStopSeconds);
        if (!wasOn) {
            m_engineHeardMs = m_engineAskedMs = ::timeGetTime();
            m_router.PostToAudioEngine(msg::kEngineLevelsRequest, 1);
        }
        ::SetTimer(m_window, kTimerId, kCallWatchMs, nullptr);
    } else {
        // A recording it started goes on as if the user had started it.
        m_router.PostToAudioEngine(msg::kEngineLevelsRequest, 0);
        m_listener.Close();
        m_deaf = false;
        m_decisions = autorec::CAutoRecorder();
    }
    if (!CallRecordingBusy() && (settings.enabled || wasOn)) m_host.SetStatus(IdleStatus());
}

void CallWatcher::OnSysCommand(UINT command, POINT) {
    if ((command & 0xFFF0) == ID_AUTO_RECORD)
        ToggleAutoRecord();
    else
        SetMsgHandled(FALSE);
}

void CallWatcher::OnAutoRecordCommand(UINT, int, HWND) {
    ToggleAutoRecord();
}

std::string CallWatcher::IdleStatus() const {
    if (!AutoRecordOn()) return "Ready";
    if (m_deaf) return NoFarEndStatus();
    return WaitingForCallStatus(m_settings.contacts);
}

bool CallWatcher::CallRecordingBusy() const {
    return m_recorder.Busy() || m_recorder.Armed();
}

const std::string& CallWatcher::StatusText() const {
    return m_recorder.Session().State.StatusText;
}

LRESULT CallWatcher::OnEngineLevel(UINT, WPARAM level, LPARAM endMs, BOOL&) {
    if (!AutoRecordOn()) {
        // Sent before the engine was told to stop, or the telling went astray.
        m_router.PostToAudioEngine(msg::kEngineLevelsRequest, 0);
        return 0;
    }
    m_engineHeardMs = ::timeGetTime();
    // The engine hears again: the program's own listener is not needed.
    m_listener.Close();
    SetDeaf(false);
    const auto hundredths = static_cast<int32_t>(static_cast<uint32_t>(level));
    m_decisions.Hear(static_cast<uint32_t>(endMs), callenv::kLevelSliceMs, hundredths / 100.0);
    if (!CallRecordingBusy()) StepAutoRecord();
    return 0;
}

void CallWatcher::KeepHearing() {
    const DWORD now = ::timeGetTime();
    const DWORD quiet = now - m_engineHeardMs;
    if (quiet < kEngineQuietMs) return;
    // A restarted engine has not been asked yet.
    if (now - m_engineAskedMs >= kEngineQuietMs) {
        m_router.PostToAudioEngine(msg::kEngineLevelsRequest, 1);
        m_engineAskedMs = now;
    }
    if (quiet >= kOwnListenerAfterMs && !m_listener.IsOpen() && !m_deaf)
        SetDeaf(!m_listener.Open(
            m_window, msg::kFarEndListenerData, m_router.FindVirtualCaptureDevice(callenv::DeviceMatch::Substring)));
}

void CallWatcher::SetDeaf(bool deaf) {
    if (m_deaf == deaf) return;
    m_deaf = deaf;
    if (!CallRecordingBusy()) m_host.SetStatus(IdleStatus());
}

LRESULT CallWatcher::OnFarEndData(UINT, WPARAM, LPARAM, BOOL&) {
    for (const engine::SoundSlice& slice : m_listener.TakeLevels())
        m_decisions.Hear(slice.endMs, slice.lengthMs, slice.levelDbfs);
    // A call that has just become loud enough starts without waiting for the timer.
    if (AutoRecordOn() && !CallRecordingBusy()) StepAutoRecord();
    return 0;
}

void CallWatcher::OnTimer(UINT_PTR id) {
    if (id == kTimerId)
        WatchCalls();
    else
        SetMsgHandled(FALSE);
}

void CallWatcher::WatchCalls() {
    FollowCallWindow();
    if (AutoRecordOn()) {
        KeepHearing();
        StepAutoRecord();
    } else if (!m_followed) {
        ::KillTimer(m_window, kTimerId);
    }
}

void CallWatcher::StepAutoRecord() {
    autorec::Observation seen;
    seen.nowMs = ::timeGetTime();
    seen.busy = CallRecordingBusy();
    // While a dialog or message box of this window is open nothing starts.
    if (!seen.busy && !::IsWindowEnabled(m_window)) return;
    seen.recordedWindow = WindowId(m_recordedWindow);
    HWND candidate = nullptr;
    if (!seen.busy && m_decisions.WantsWindow(seen.nowMs)) {
        candidate = m_recorder.Finder().FindConversationWindow();
        seen.window = WindowId(candidate);
        if (candidate) seen.contact = m_recorder.Finder().ContactAddress;
    }
    switch (m_decisions.Step(seen, CLiveWindows())) {
    case autorec::Decision::Start:
        m_recorder.Finder().FindAssistWindow();
        m_recorder.RecordCallWindow(candidate);
        break;
    case autorec::Decision::Stop:
        m_recorder.Stop();
        break;
    case autorec::Decision::None:
        break;
    }
}

void CallWatcher::BeginFollowing(HWND conversation, const RECT& window) {
    m_recordedWindow = conversation;
    m_followed = conversation && config::ReadFollowCallWindow() ? conversation : nullptr;
    if (!m_followed) return;
    m_follower.Begin({window.left, window.top, window.right - 1, window.bottom - 1});
    ::SetTimer(m_window, kTimerId, kCallWatchMs, nullptr);
}

void CallWatcher::FollowCallWindow() {
    HWND window = m_followed;
    if (!window) return;
    if (!m_recorder.Recording() && !m_recorder.Armed()) {
        m_followed = nullptr;
        return;
    }
    // The frame shows once the worker knows the recorded size; a closed or
    // hidden window leaves the area where it was.
    if (!m_recorder.FrameShown() || !::IsWindow(window)) return;
    const bool minimised = ::IsIconic(window) != FALSE;
    if (!minimised && !::IsWindowVisible(window)) return;
    RECT now{};
    ::GetWindowRect(window, &now);
    const CCallWindowFollower::Step step =
        m_follower.Observe({now.left, now.top, now.right - 1, now.bottom - 1}, minimised);
    if (step.minimisedChanged && step.minimised) {
        m_statusBeforeMinimised = StatusText();
        m_host.SetStatus(MinimisedCallStatus());
    } else if (step.minimisedChanged && StatusText() == MinimisedCallStatus()) {
        m_host.SetStatus(m_statusBeforeMinimised);
    }
    if (step.move) m_recorder.MoveAreaTo(step.left, step.top);
}
