// Driving real windows from a Windows test under Wine: pumping the test
// thread's messages while something happens (each message goes through the
// framework's PreTranslateMessage chain, as in the program's own loops), real
// pointer and keyboard input through the X server (xdotool), and reading the
// screen back.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Handle.h"
#include "tests/support/host_command.h"

namespace ui {

// Dispatches this thread's pending messages.
void Pump();
// Dispatches this thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);
// Dispatches messages until `done` holds or `timeoutMs` passed; returns `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// True, once, when the pump met a WM_QUIT posted to `hwnd`.
bool TakeQuit(HWND hwnd);

// Runs a host command while this thread keeps dispatching its messages, so
// that the windows it owns see the input the command makes.
hostcmd::Result RunHostPumping(const std::string& command, unsigned timeoutMs = 30000);

// One xdotool command line (without "xdotool"), run while pumping; true when
// it succeeded.
bool Xdo(const std::string& arguments);
// The X window behind a Wine window (0 when unknown).
unsigned long XWindowOf(HWND hwnd);
// Gives a window the X keyboard focus, so that keys typed with xdotool reach it.
bool FocusForKeys(HWND hwnd);

// The pointer, in screen coordinates; false when xdotool failed.
bool MoveMouse(int x, int y);
bool MouseDown(int button = 1);
bool MouseUp(int button = 1);
bool Click(int x, int y, int button = 1);
// Clicks the middle of a window.
bool ClickWindow(HWND hwnd, int button = 1);
// Gives the mouse capture to a new 1 x 1 popup window owned by `owner`, as a
// message box or another program taking the mouse would.
fw::OwnedWindow TakeMouseCapture(HWND owner);

// One pixel of the screen as the user sees it.
COLORREF ScreenPixel(int x, int y);
// The screen's pixels in (x, y, width, height), row by row from the top, in
// COLORREF order (0x00BBGGRR) so that they compare with ScreenPixel.
std::vector<COLORREF> ScreenPixels(int x, int y, int width, int height);
// The pixels of a device context's area the same way.
std::vector<COLORREF> DcPixels(HDC dc, int x, int y, int width, int height);
// The screen position of a point in a window's client area.
POINT ClientToScreenPoint(HWND hwnd, int x, int y);
// A colour as text, for failure messages.
std::string DescribePixel(COLORREF colour);

// Saves the whole X screen as <name>.png in the folder named by the
// environment variable LUMISKOP_SCREENSHOTS, or else in build/win32/screenshots;
// returns the host path written, or "".
std::string SaveScreenshot(const std::string& name);

}  // namespace ui
