// The recording controller: the two start commands, the start message, the
// stop command and the end of a recording, with what a recording needs on the
// window's side (the recording session, the two audio inputs, the worker, the
// region selector and frame, the floating stop window, the cursor watcher,
// the elapsed-seconds and blinking-icon timers). It works on the main window's
// thread for the main window, whose map chains to this one; what it needs of
// the window's own parts it asks through IRecordingHost.
#pragma once

#include <windows.h>

#include <string>

#include "callenv/CallWindowFinder.h"
#include "controls/FloatStopWnd.h"
#include "engine/CallAudioInputs.h"
#include "engine/Messages.h"
#include "engine/RecordingSession.h"
#include "framework/Handle.h"
#include "framework/MessageMap.h"
#include "framework/Wnd.h"
#include "region/RegionFrameWnd.h"
#include "region/RegionSelector.h"
#include "res/resource.h"

class CAudioRouter;

// What the controller asks of the window it records for.
class IRecordingHost {
public:
    virtual void SetStatus(const std::string& text) = 0;
    // The status line when nothing records.
    virtual std::string IdleStatus() const = 0;
    // The output-folder field's text.
    virtual std::string OutputFieldText() const = 0;
    // Lists a recording that ended.
    virtual void AddRecording(const std::string& path, const std::string& fileName,
                              const std::string& durationText) = 0;
    // Gives the listed recording at `path` the length its file really holds;
    // false when no row lists it.
    virtual bool CorrectListedLength(const std::string& path, const std::string& durationText) = 0;
    // A recording is armed: of the conversation window at `window` (null for
    // a region, or no window found), whose place the recorded area may follow.
    virtual void BeginFollowing(HWND conversation, const RECT& window) = 0;

protected:
    ~IRecordingHost() = default;
};

class RecordingController : public fw::CMessageMap {
public:
    RecordingController(IRecordingHost& host, CAudioRouter& router);
    ~RecordingController() override;
    RecordingController(const RecordingController&) = delete;
    RecordingController& operator=(const RecordingController&) = delete;

    BEGIN_MSG_MAP(RecordingController)
        MSG_WM_TIMER(OnTimer)
        MESSAGE_HANDLER(WM_USER_RECORDSTART_MSG, OnRecordStart)
        MESSAGE_HANDLER(WM_USER_RECORDINTERRUPTED_MSG, OnRecordInterruptedMessage)
        MESSAGE_HANDLER(WM_USER_SAVECURSOR_MSG, OnSaveCursor)
        MESSAGE_HANDLER(msg::kInputAData, OnInputAData)
        MESSAGE_HANDLER(msg::kInputBData, OnInputBData)
        MESSAGE_HANDLER(msg::kRegionSelectEnded, OnRegionSelectEnded)
        COMMAND_ID_HANDLER_EX(IDC_RECORD_CALL, OnRecordCall)
        COMMAND_ID_HANDLER_EX(IDC_RECORD_REGION, OnRecordRegion)
        COMMAND_ID_HANDLER_EX(IDC_RECORD_STOP, OnRecordStopCommand)
        COMMAND_ID_HANDLER_EX(ID_STOP_RECORDING, OnRecordStopCommand)
    END_MSG_MAP()

    // Start-up, once the window exists: measures the screen, creates the
    // region selector, the region frame and the floating stop window, and
    // loads the cursor watcher from `appFolder`.
    void SetUp(HWND window, const std::string& appFolder);
    // Closing: a running recording is stopped and its file closed (ending
    // under the worker would leave a broken file); the inputs are closed.
    void ShutDown();
    // The window is going: a worker that outlived the wait posts nowhere and
    // shows no window.
    void Detach();

    RecordingSession& Session() { return m_session; }
    const RecordingSession& Session() const { return m_session; }
    CCallWindowFinder& Finder() { return m_finder; }

    bool Recording() const { return m_session.State.Recording.load() != 0; }
    // A worker runs: recording, or still closing its file.
    bool WorkerRunning() const;
    // A recording runs, or its file is still being closed.
    bool Busy() const { return Recording() || WorkerRunning(); }
    // A start command has armed a recording whose start message is to come.
    bool Armed() const { return m_recordArmed; }

    // Records a conversation window (none: the fallback rectangle) as the
    // record-call command does once it has looked for the window.
    void RecordCallWindow(HWND conversation);
    // The stop command; nothing happens while no recording runs.
    void Stop();
    // The region-cancel key while nothing records; false when no selector was open.
    bool CancelRegion() { return m_selector.Cancel(); }

    // The recorded area's frame shows (the worker knows the recorded size).
    bool FrameShown() const;
    // Moves the recorded area's top-left corner to (left, top), kept on the
    // screen; the frame, the worker and a shown stop window follow.
    void MoveAreaTo(int32_t left, int32_t top);

private:
    void OnRecordCall(UINT, int, HWND);
    void OnRecordRegion(UINT, int, HWND);
    void OnRecordStopCommand(UINT, int, HWND) { Stop(); }
    LRESULT OnRecordStart(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnRecordInterruptedMessage(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSaveCursor(UINT, WPARAM wp, LPARAM, BOOL&);
    LRESULT OnInputAData(UINT, WPARAM, LPARAM, BOOL&) { return m_inputs.OnInputAData(); }
    LRESULT OnInputBData(UINT, WPARAM, LPARAM, BOOL&) { return m_inputs.OnInputBData(); }
    LRESULT OnRegionSelectEnded(UINT, WPARAM, LPARAM, BOOL&);
    // The elapsed seconds and the blinking icon; other timers go on.
    void OnTimer(UINT_PTR id);

    LRESULT OnRecordInterrupted(WPARAM reason, LPARAM);
    // Steps shared by both start commands once the rectangle is known or
    // being drawn: names, timers, status, the two audio inputs.
    void ArmRecording();
    // Undoes the arming when no recording came of it.
    void DisarmRecording();
    // Ends what a recording started on the window's side: timers, blinking,
    // inputs and the floating stop window.
    void EndRecordingSide();
    // Waits, dispatching messages, until the last worker has ended.
    bool WaitForWorker(DWORD timeoutMs);
    void StartBlink();
    void StopBlink();
    void SetIcon(HICON icon) const;

    IRecordingHost& m_host;
    CAudioRouter& m_router;
    HWND m_window = nullptr;
    // First: the windows, the inputs and the worker below use it.
    RecordingSession m_session;
    CCallWindowFinder m_finder;
    CCallAudioInputs m_inputs{m_session.State};
    CRegionSelector m_selector{m_session};
    CRegionFrameWnd m_regionFrame{m_session};
    CFloatStopWnd m_floatStop{m_session.Params};
    fw::KernelHandle m_worker;
    fw::Module m_cursorWatcher;
    bool m_recordArmed = false;
    HICON m_appIcon = nullptr;
    HICON m_blinkIcon = nullptr;
    int m_blinkPhase = 0;
};
