// The watcher thread: notices cursor changes with GetCursorInfo and posts
// each new cursor, as a handle usable in this process, to the windows that
// asked for it.
#pragma once

#include <windows.h>

namespace watcher {

// Adds (or updates) a window to notify; starts the thread for the first one.
bool AddTarget(HWND window, UINT message);
// Removes a window; stops the thread after the last one. False if unknown.
bool RemoveTarget(HWND window);
bool HasTargets();

}  // namespace watcher
