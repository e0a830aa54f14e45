// What the editing dialogs' end-to-end tests share: a call recorded and
// selected, the main window's preview brought into sight, an editing command
// opening its dialog, and how white a preview looks.
#pragma once

#include <windows.h>

#include "tests/e2e/call_scene.h"

namespace e2e {

// Records a call for `recordMs`, stops it with F9 and selects its row; then
// shows the main window's preview, which sits out of sight, over the hidden
// list so that it can be watched. The preview control, or null when a step
// failed.
HWND RecordAndSelectCall(CallScene& scene, DWORD recordMs);

// Posts an editing command to the main window and waits for the visible
// dialog with this caption in the recorder's process (null after 15 s).
HWND OpenEditingDialog(RecorderSession& recorder, int command, const char* caption);

// Share of a window's top-left width × height pixels that are near white:
// the recorded conversation window is white but for a small moving box.
double WhiteShare(HWND window, int width, int height);

}  // namespace e2e
