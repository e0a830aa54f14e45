// Starts and stops a recording the way the main window's start and stop
// handlers do, for tests that need the real recording worker.
#pragma once

#include <windows.h>

#include <string>

#include "engine/ScreenRect.h"

class RecordingSession;

class TestRecording {
public:
    // The worker records with `session`, which outlives this.
    explicit TestRecording(RecordingSession& session) : m_session(session) {}
    ~TestRecording();
    TestRecording(const TestRecording&) = delete;
    TestRecording& operator=(const TestRecording&) = delete;

    // Records `rect` into a fresh file; `mainWindow` receives the worker's
    // messages. False when the worker could not be started.
    bool Start(const ScreenRect& rect, HWND mainWindow);
    // Clears Recording and waits (dispatching messages) for the worker to end.
    bool Stop(DWORD timeoutMs = 30000);
    bool Running() const;
    // Where the worker writes the file.
    std::string Path() const;

private:
    RecordingSession& m_session;
    HANDLE m_thread = nullptr;
    std::string m_fileName;
};
