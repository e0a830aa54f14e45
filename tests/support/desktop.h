// Real input and the real screen for Windows tests under the rig: the pointer
// is driven with xdotool on the rig's display, pixels are read back from the
// screen, and the message pump gives each message to the framework's
// PreTranslateMessage chain as the program's own loops do.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace desktop {

// Runs this thread's pending messages.
void Pump();
// Pumps until `done` returns true or `timeoutMs` passes; true when done.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// Pumps for a while.
void PumpFor(DWORD ms);
// True, once, when the pump met a WM_QUIT posted to `hwnd`.
bool TakeQuit(HWND hwnd);

// The pointer, in screen coordinates. False when xdotool failed.
bool MoveMouse(int x, int y);
bool MouseDown(int button = 1);
bool MouseUp(int button = 1);
bool Click(int x, int y, int button = 1);

// One pixel of the screen as the user sees it.
COLORREF ScreenPixel(int x, int y);
// The screen position of a point in a window's client area.
POINT ClientToScreenPoint(HWND hwnd, int x, int y);

// Saves the whole screen as build/win32/screenshots/<name>.png; returns its
// host path, or an empty text when it could not be taken.
std::string SaveScreenshot(const std::string& name);

}  // namespace desktop
