// The call watch: calls recorded without a click (automatic recording, kept
// in config.ini) and the recorded area that follows the call window, both
// checked on one timer of the main window. It works on the main window's
// thread for the main window, whose map chains to this one; it starts and
// stops recordings through the recording controller and sets the status line
// through ICallWatchHost.
#pragma once

#include <windows.h>

#include <string>

#include "engine/AutoRecordSettings.h"
#include "engine/AutoRecorder.h"
#include "engine/CallWindowFollow.h"
#include "engine/FarEndListener.h"
#include "engine/Messages.h"
#include "framework/MessageMap.h"
#include "framework/Wnd.h"
#include "res/resource.h"

class CAudioRouter;
class RecordingController;

// What the call watch asks of the window it watches for.
class ICallWatchHost {
public:
    virtual void SetStatus(const std::string& text) = 0;

protected:
    ~ICallWatchHost() = default;
};

class CallWatcher : public fw::CMessageMap {
public:
    CallWatcher(ICallWatchHost& host, RecordingController& recorder, CAudioRouter& router);
    CallWatcher(const CallWatcher&) = delete;
    CallWatcher& operator=(const CallWatcher&) = delete;

    BEGIN_MSG_MAP(CallWatcher)
        MSG_WM_TIMER(OnTimer)
        MSG_WM_SYSCOMMAND(OnSysCommand)
        MESSAGE_HANDLER(msg::kFarEndListenerData, OnFarEndData)
        MESSAGE_HANDLER(msg::kFarEndLevelReport, OnEngineLevel)
        COMMAND_ID_HANDLER_EX(ID_AUTO_RECORD, OnAutoRecordCommand)
    END_MSG_MAP()

    // Start-up, once the window exists: the system menu's item and the
    // settings config.ini keeps.
    void SetUp(HWND window);
    // Closing: no more checks, and the program's own listener closed.
    void ShutDown();

    // Every menu that offers automatic recording carries the command
    // ID_AUTO_RECORD, checked while AutoRecordOn().
    bool AutoRecordOn() const { return m_settings.enabled; }

    // The status line when nothing records: "Ready", or automatic
    // recording's waiting words.
    std::string IdleStatus() const;
    // A recording is armed: of the conversation window at `window` (null for
    // a region, or no window found), whose place the recorded area may follow.
    void BeginFollowing(HWND conversation, const RECT& window);

private:
    static constexpr UINT kTimerId = 4;

    void ToggleAutoRecord();
    void ApplyAutoRecord(const autorec::AutoRecordSettings& settings);
    void OnSysCommand(UINT command, POINT);
    void OnAutoRecordCommand(UINT, int, HWND);
    LRESULT OnFarEndData(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEngineLevel(UINT, WPARAM level, LPARAM endMs, BOOL&);
    // The call-watch timer; other timers go on.
    void OnTimer(UINT_PTR id);
    void WatchCalls();
    // Keeps the far end heard: asks the engine again while it is quiet, and
    // listens itself once it stays quiet.
    void KeepHearing();
    void SetDeaf(bool deaf);
    void StepAutoRecord();
    void FollowCallWindow();
    // A recording runs or is still closing its file, or a start command has
    // armed one.
    bool CallRecordingBusy() const;
    const std::string& StatusText() const;

    ICallWatchHost& m_host;
    RecordingController& m_recorder;
    CAudioRouter& m_router;
    HWND m_window = nullptr;

    autorec::AutoRecordSettings m_settings;
    autorec::CAutoRecorder m_decisions;

    // The audio engine reports the far end's level; when it last did, and
    // when it was last asked to (multimedia clock).
    DWORD m_engineHeardMs = 0;
    DWORD m_engineAskedMs = 0;
    // Without the engine's reports the program listens itself.
    CFarEndListener m_listener;
    // Neither hears the far end: nothing can start.
    bool m_deaf = false;

    // The conversation window of the last call recording (null: a region, or
    // no window was found); the recording's own while it runs.
    HWND m_recordedWindow = nullptr;
    // The window the running recording follows (null: none).
    HWND m_followed = nullptr;
    CCallWindowFollower m_follower;
    // The status line from before the followed window was minimised.
    std::string m_statusBeforeMinimised;
};
