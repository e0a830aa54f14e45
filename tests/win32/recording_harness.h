// Runs the real recording worker from a Windows test: a recording session of
// its own (default parameters, the screen measured), the output folder set
// through config.ini next to the test program, a message window standing in
// for the main window, and the recording checked with the host's ffprobe and
// ffmpeg.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/RecordingSession.h"
#include "tests/support/media_probe.h"

class RecordingHarness {
public:
    // Writes config.ini's FilePath (next to this test program) = `folder`;
    // an empty folder gets a fresh one under the temp folder.
    explicit RecordingHarness(std::string folder = {});
    ~RecordingHarness();

    const std::string& Folder() const { return m_folder; }
    HWND MainWindow() const { return m_window; }
    // What the worker shares with the test; change it before Record.
    RecordingSession& Session() { return m_session; }

    // Starts the worker on `rect` (inclusive edges) with `fileName`, waits for
    // the first frame, runs `during` every 10 ms for `seconds`, runs
    // `beforeStop`, stops. Returns false if the worker did not end within the
    // time allowed.
    bool Record(const RECT& rect, const std::string& fileName, double seconds,
                const std::function<void()>& during = {},
                const std::function<void()>& beforeStop = {});

    // Messages of the stand-in main window that the test handles itself
    // (the wave inputs' notifications, for one).
    using MessageHandler = std::function<bool(UINT message, LRESULT& result)>;
    void HandleMessages(MessageHandler handler);

    DWORD firstFrameAt = 0;  // timeGetTime when VideoStarted turned 1
    DWORD stoppedAt = 0;     // when Recording was cleared
    UINT endMessage = 0;     // WM_USER_GENERIC_MSG or WM_USER_RECORDINTERRUPTED_MSG
    bool videoStarted = false;

    // The cursor watcher posts here; the handler stores it as the main
    // window's does.
    bool WatchCursor();

private:
    RecordingSession m_session;
    std::string m_folder;
    std::string m_config;
    HWND m_window = nullptr;
    HMODULE m_tap = nullptr;
};
