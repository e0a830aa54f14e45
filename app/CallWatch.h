// What the main window keeps between its checks of calls: the settings and
// the decisions of automatic recording with the far-end listener they need,
// and the conversation window whose place the running call recording follows.
#pragma once

#include <windows.h>

#include <string>

#include "engine/AutoRecordSettings.h"
#include "engine/AutoRecorder.h"
#include "engine/CallWindowFollow.h"
#include "engine/FarEndListener.h"

struct CallWatchState {
    autorec::AutoRecordSettings settings;
    CFarEndListener listener;
    autorec::CAutoRecorder decisions;

    // The conversation window of the last call recording (null: a region, or
    // no window was found); the recording's own while it runs.
    HWND recordedWindow = nullptr;
    // The window the running recording follows (null: none).
    HWND followed = nullptr;
    CCallWindowFollower follower;
    // The status line from before the followed window was minimised.
    std::string statusBeforeMinimised;
};
