// What the main window keeps between its checks of calls: the settings and
// the decisions of automatic recording with what it knows of the far end's
// sound, and the conversation window whose place the running call recording
// follows.
#pragma once

#include <windows.h>

#include <string>

#include "engine/AutoRecordSettings.h"
#include "engine/AutoRecorder.h"
#include "engine/CallWindowFollow.h"
#include "engine/FarEndListener.h"

struct CallWatchState {
    autorec::AutoRecordSettings settings;
    autorec::CAutoRecorder decisions;

    // The audio engine reports the far end's level; when it last did, and
    // when it was last asked to (multimedia clock).
    DWORD engineHeardMs = 0;
    DWORD engineAskedMs = 0;
    // Without the engine's reports the program listens itself.
    CFarEndListener listener;
    // Neither hears the far end: nothing can start.
    bool deaf = false;

    // The conversation window of the last call recording (null: a region, or
    // no window was found); the recording's own while it runs.
    HWND recordedWindow = nullptr;
    // The window the running recording follows (null: none).
    HWND followed = nullptr;
    CCallWindowFollower follower;
    // The status line from before the followed window was minimised.
    std::string statusBeforeMinimised;
};
