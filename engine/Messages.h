// The engine's registered window messages, registered by name during static
// initialisation in this order (other programs register the same names). The
// private ones are in framework/PrivateMessages.h.
#pragma once

#include <windows.h>

#include "framework/PrivateMessages.h"

// The worker could not create or write its file and stopped (the stop
// command calls the same handler).
extern const UINT WM_USER_RECORDINTERRUPTED_MSG;
// From the cursor watcher: the cursor's shape changed (wParam its handle).
extern const UINT WM_USER_SAVECURSOR_MSG;
// The worker closed its file after a recording that ended without error.
extern const UINT WM_USER_GENERIC_MSG;
// The rectangle to record is known (call or drawn region): start.
extern const UINT WM_USER_RECORDSTART_MSG;
// Registered only; nothing sends it.
extern const UINT WM_USER_KEYSTART_MSG;
