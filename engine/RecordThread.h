// The recording worker: one thread per recording that turns the screen
// rectangle and the two audio rings into an AVI file, and ends by itself once
// Recording is 0.
#pragma once

#include <windows.h>

#include <string>

class RecordingSession;

// Thread entry; the parameter is the RecordingSession the worker shares with
// the thread that started it, which keeps it until the worker has ended.
// Reads CaptureRect, RecordFileName and the parameters; returns 0.
DWORD WINAPI RecordThread(LPVOID recordingSession);

// Records (left, top, width, height) at `rate` frames per second into `path`
// until the session's Recording is 0, then posts WM_USER_GENERIC_MSG, or
// WM_USER_RECORDINTERRUPTED_MSG when something failed.
void WriteAvi(RecordingSession& session, int top, int left, int width, int height, int rate,
              const std::string& path);
