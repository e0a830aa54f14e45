// Everything one recorder shares between its window thread and its recording
// worker: the parameters, the state record with its rings and hand-offs, the
// hotkey links, the windows the worker shows and, for a benchmark, its
// counters. Whoever records (the main window's controller, a test, a
// benchmark) owns one and hands it by reference to the worker, the grabber,
// the audio inputs and the region windows; nothing of it is process-wide.
#pragma once

#include <atomic>
#include <string>

#include "engine/HotkeyLinks.h"
#include "engine/RecordParams.h"
#include "engine/RecordState.h"
#include "engine/RecordStats.h"
#include "engine/RecordWindows.h"

class RecordingSession {
public:
    RecordingSession();
    RecordingSession(const RecordingSession&) = delete;
    RecordingSession& operator=(const RecordingSession&) = delete;

    CRecordParams Params;
    CRecordState State;
    HotkeyLinks Hotkeys;
    // The benchmark's per-frame counters; null (the program's case) collects
    // nothing. Set before the worker starts, read after it ended.
    RecordStats* Stats = nullptr;

    // The windows the worker shows while it records; never null (until real
    // windows are installed they do nothing). Installed on the window thread;
    // a window that goes while a worker still runs is swapped for the
    // do-nothing one first.
    IRegionFrame& RegionFrame() const { return *m_regionFrame.load(); }
    IStopWindow& StopWindow() const { return *m_stopWindow.load(); }
    // Null puts the do-nothing window back.
    void SetRegionFrame(IRegionFrame* frame);
    void SetStopWindow(IStopWindow* window);

    // Window thread, when a start command arms the next recording: its file
    // names, and everything the last recording left behind (time zero, the
    // written path and outcome, a move its worker never took, the elapsed
    // seconds) back to a fresh session's values. The rings are emptied by the
    // inputs that fill them; the saved cursor stays, as the cursor watcher
    // only reports changes.
    void BeginRecording(const std::string& fileName, const std::string& path);

private:
    std::atomic<IRegionFrame*> m_regionFrame;
    std::atomic<IStopWindow*> m_stopWindow;
};
